// Cost of one message-log record: formatting plus its share of a write to the operating system.
#include "output/log_record.h"
#include "output/message_log.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string kText = "5308DFFDFFDFFDFFC001FFDFFDFFDFFDFFDFFDFFC003BBBA3BBBBBBA1EB6CD80000";

// The message log as the intake writes it: records held for a batch of `batch` lines, then one
// write. A batch of 1 is the live rate (each record written through at once); 200 is a batch
// of a full-speed stream.
void BM_MessageLogRecord(benchmark::State &state)
{
    char path[] = "/tmp/logging_bench_XXXXXX";
    const int tmp = ::mkstemp(path);
    ::close(tmp);
    MessageLog log;
    log.SetFileName(path);
    log.SetOverwrite(true);
    log.SetAllTypes(true);
    log.Open();
    const auto batch = static_cast<int>(state.range(0));
    double tow = 0;
    int held = 0;
    const std::string text = LoggedMessageText(kText);
    for (auto _ : state) {
        if (held == 0)
            log.Hold();
        log.Write(124, 2, text, 2443, tow++);
        if (++held == batch) {
            log.Release();
            held = 0;
        }
    }
    log.Release();
    log.Close();
    std::remove(path);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MessageLogRecord)->ArgName("batch")->Arg(1)->Arg(200);

} // namespace

BENCHMARK_MAIN();
