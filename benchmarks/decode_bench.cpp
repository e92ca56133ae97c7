// Each decoder alone, by message type, on the demo recording's messages of that type. What the
// application does per message of a whole recording (every type, the intake and the workers'
// reads) is measured by bench_app_path.
// Run: build/benchmarks/bench_decode
#include "demo_schedule.h"
#include "mops/mt06.h"
#include "mops/mt07.h"
#include "mops/mt09.h"
#include "mops/mt10.h"
#include "mops/mt12.h"
#include "mops/mt17.h"
#include "mops/mt18.h"
#include "mops/mt24.h"
#include "mops/mt25.h"
#include "mops/mt26.h"
#include "mops/mt27.h"
#include "mops/mt28.h"
#include "output/log_record.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <memory>

namespace {

struct Decoders {
    std::unique_ptr<PRNMaskBuffer> mask = std::make_unique<PRNMaskBuffer>();
    std::unique_ptr<IGPBuffer> grid = std::make_unique<IGPBuffer>();
    std::unique_ptr<ServiceMsgBuffer> service = std::make_unique<ServiceMsgBuffer>();
    std::map<int, std::unique_ptr<TMOPSMsg>> byType;

    Decoders()
    {
        std::memset(mask.get(), 0, sizeof *mask);
        std::memset(service.get(), 0, sizeof *service);
        mask->received = 1;
        for (int k = 0; k < 40; ++k)
            mask->slotList[2][k] = static_cast<uint16_t>(k + 1);
        mask->currentIODP = 2;
        byType[6] = std::make_unique<TMT06>();
        byType[7] = std::make_unique<TMT07>();
        byType[9] = std::make_unique<TMT09>();
        byType[10] = std::make_unique<TMT10>();
        byType[12] = std::make_unique<TMT12>();
        byType[17] = std::make_unique<TMT17>();
        byType[18] = std::make_unique<TMT18>(*grid);
        byType[24] = std::make_unique<TMT24>(*mask);
        byType[25] = std::make_unique<TMT25>(*mask);
        byType[26] = std::make_unique<TMT26>(*grid);
        byType[27] = std::make_unique<TMT27>(*service);
        byType[28] = std::make_unique<TMT28>(*mask);
    }

    void Decode(int type, const std::string &text)
    {
        const auto it = byType.find(type);
        if (it != byType.end()) {
            it->second->SetMessage(text);
            it->second->Decode();
        }
    }

    // Lays the grid masks the records carry, so that type 26 messages find their points.
    void ApplyMasks(const std::vector<LogRecord> &records)
    {
        for (const auto &r : records)
            if (r.type == 18)
                Decode(18, r.hex);
    }

    int MaskedPoints() const
    {
        int n = 0;
        for (const auto &e : grid->entry)
            n += (e.InMask & 0xFF) != 0;
        return n;
    }
};

const std::vector<LogRecord> &Recording()
{
    static const std::vector<LogRecord> records = [] {
        std::vector<LogRecord> out;
        for (const auto &line : DemoRecording({}))
            out.push_back(*ParseLogRecord(line));
        return out;
    }();
    return records;
}

void BM_DecodeType(benchmark::State &state)
{
    const int type = static_cast<int>(state.range(0));
    Decoders d;
    if (type == 26) {
        d.ApplyMasks(Recording());
        if (d.MaskedPoints() == 0) {
            state.SkipWithError("no grid point masked: type 26 would decode nothing");
            return;
        }
    }
    std::vector<std::string> messages;
    for (const auto &r : Recording())
        if (r.type == type)
            messages.push_back(r.hex);
    std::size_t i = 0;
    for (auto _ : state) {
        TMOPSMsg &decoder = *d.byType[type];
        decoder.SetMessage(messages[i++ % messages.size()]);
        decoder.Decode();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeType)->Arg(6)->Arg(7)->Arg(9)->Arg(10)->Arg(12)->Arg(17)->Arg(18)->Arg(24)->Arg(25)->Arg(26)->Arg(27)->Arg(28);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
