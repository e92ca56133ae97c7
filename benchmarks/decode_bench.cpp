// Decode throughput per message type, for the demo recording's mix and for the real
// recordings (read when the benchmark starts), with and without the run-length expansion
// the data server's texts need first.
// Run: build/benchmarks/bench_decode
#include "codec/pardo.h"
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
#include "support/recordings_dir.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
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

    // Every message through the decoder of its type; types 2 to 5 read their corrections
    // with the vector readers, as the fast-correction worker does.
    void Decode(int type, const std::string &text)
    {
        const auto it = byType.find(type);
        if (it != byType.end()) {
            it->second->SetMessage(text);
            it->second->Decode();
        } else if (type >= 2 && type <= 5) {
            benchmark::DoNotOptimize(FastCorrectionVector(text));
            benchmark::DoNotOptimize(UDREIVector(text));
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

// Records as the data server sends them: each text run-length coded.
std::vector<LogRecord> Compressed(std::vector<LogRecord> records)
{
    for (auto &r : records) {
        TPARDO p;
        p.Data = r.hex;
        p.Compress();
        r.hex = p.Data;
    }
    return records;
}

void DecodeAll(benchmark::State &state, const std::vector<LogRecord> &records, bool expand)
{
    if (records.empty()) {
        state.SkipWithError("no records");
        return;
    }
    Decoders d;
    d.ApplyMasks(records);
    const std::vector<LogRecord> sent = expand ? Compressed(records) : std::vector<LogRecord>{};
    TPARDO pardo;
    for (auto _ : state) {
        if (expand) {
            for (const auto &r : sent) {
                pardo.Data = r.hex;
                pardo.Decompress();
                d.Decode(r.type, pardo.Data);
            }
        } else {
            for (const auto &r : records)
                d.Decode(r.type, r.hex);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(records.size()));
}

// The whole demo hour, every message through the decoder of its type.
void BM_DecodeDemoHour(benchmark::State &state)
{
    DecodeAll(state, Recording(), false);
}
BENCHMARK(BM_DecodeDemoHour)->Unit(benchmark::kMillisecond);

void BM_DecodeDemoHourExpanded(benchmark::State &state)
{
    DecodeAll(state, Recording(), true);
}
BENCHMARK(BM_DecodeDemoHourExpanded)->Unit(benchmark::kMillisecond);

std::vector<LogRecord> ReadRecording(const std::string &path)
{
    std::vector<LogRecord> out;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (auto r = ParseLogRecord(line))
            out.push_back(*r);
    return out;
}

// Each real recording present at start-up gets a plain and an expanded benchmark.
void RegisterRecordings()
{
    const std::string dir = RecordingsDir();
    int found = 0;
    for (const char *name : {"recording-a.txt", "recording-b.txt", "recording-c.txt"}) {
        auto records = std::make_shared<std::vector<LogRecord>>(ReadRecording(dir + "/" + name));
        if (records->empty())
            continue;
        ++found;
        benchmark::RegisterBenchmark((std::string("BM_DecodeRecording/") + name).c_str(),
                                     [records](benchmark::State &s) { DecodeAll(s, *records, false); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_DecodeRecordingExpanded/") + name).c_str(),
                                     [records](benchmark::State &s) { DecodeAll(s, *records, true); })
            ->Unit(benchmark::kMillisecond);
    }
    if (found == 0)
        std::fprintf(stderr, "No real recordings in %s: their decode benchmarks are skipped.\n", dir.c_str());
}

} // namespace

int main(int argc, char **argv)
{
    RegisterRecordings();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
