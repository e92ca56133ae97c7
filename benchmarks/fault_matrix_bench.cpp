// Every server fault of the fault matrix, measured: the longest a 10 ms timer and a posted
// event waited while the window handled the fault and its recovery, and the resident memory
// above the start. One line per case.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_fault_matrix
#include "support/fault_matrix.h"

#include "support/resident_memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

// Watches the event loop: a 10 ms timer's longest lateness, a posted event's longest wait.
class Responsiveness {
public:
    Responsiveness()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            if (lastTick_ >= 0)
                longestTimerMs_ = std::max(longestTimerMs_, (now - lastTick_) / 1e6 - 10.0);
            lastTick_ = now;
            // A posted event: how long until the loop reaches it.
            const qint64 posted = clock_.nsecsElapsed();
            QTimer::singleShot(0, &timer_, [this, posted] {
                longestPostedMs_ = std::max(longestPostedMs_, (clock_.nsecsElapsed() - posted) / 1e6);
            });
        });
        clock_.start();
        timer_.start(10);
    }
    double LongestTimerMs() const { return std::max(0.0, longestTimerMs_); }
    double LongestPostedMs() const { return longestPostedMs_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastTick_ = -1;
    double longestTimerMs_ = 0;
    double longestPostedMs_ = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    for (const FaultCase &c : FaultCases()) {
        FaultRun run(c);
        QString why;
        const double start = ResidentMiB();
        double peak = start;
        QTimer memory;
        QObject::connect(&memory, &QTimer::timeout, [&] { peak = std::max(peak, ResidentMiB()); });
        memory.start(50);
        QElapsedTimer total;
        total.start();
        bool ok = run.Start(why);
        Responsiveness watch; // from the session's start on: the fault and the recovery
        ok = ok && run.Fault(why) && run.Recover(why);
        peak = std::max(peak, ResidentMiB());
        std::printf("%-30s %s  longest_timer_late_ms %7.1f  longest_posted_wait_ms %7.1f  rss_start_mib %6.1f  "
                    "rss_peak_above_start_mib %6.1f  total_s %6.1f%s%s\n",
                    c.name, ok ? "ok  " : "FAIL", watch.LongestTimerMs(), watch.LongestPostedMs(), start, peak - start,
                    total.elapsed() / 1000.0, ok ? "" : "  ", qPrintable(why));
        std::fflush(stdout);
        failed += ok ? 0 : 1;
    }
    return failed == 0 ? 0 : 1;
}
