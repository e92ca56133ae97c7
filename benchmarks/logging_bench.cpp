// Cost of one message-log record: formatting plus its own write to the operating system.
#include "output/log_file.h"
#include "output/log_record.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string kText = "5308DFFDFFDFFDFFC001FFDFFDFFDFFDFFDFFDFFC003BBBA3BBBBBBA1EB6CD80000";

void BM_WriteThroughRecord(benchmark::State &state)
{
    char path[] = "/tmp/logging_bench_XXXXXX";
    const int tmp = ::mkstemp(path);
    ::close(tmp);
    const int fd = OpenMessageLog(path, true);
    double tow = 0;
    for (auto _ : state)
        WriteMessageLog(fd, FormatLogRecord(124, 2, 2443, tow++, LoggedMessageText(kText)));
    CloseMessageLog(fd);
    std::remove(path);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteThroughRecord);

} // namespace

BENCHMARK_MAIN();
