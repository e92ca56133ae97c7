// Core-only driver, no widgets: every message of a real recording (and of the demo hour) through
// the per-message work the application does between the socket and the windows' cells: the
// intake (type, type 0 rule, bytes), the broadcast status (record, indicator times, the monitor's
// ticks), the type 1 mask processing, the type 2 to 5 reads and slot list, the decoder of types
// 6 to 28 and the signal overview's note. What a window then writes is left out.
//
// Per source, from three starting points and with or without the notes:
//   decode               from the expanded message text, as the intake holds it after the
//                        expansion: the intake's type, bytes and type 0 rule, the type 1 mask,
//                        the type 2 to 5 reads and slot list, the decoders of types 6 to 28
//   expand+decode        the same from the run-length coded payload as the server sends it
//   decode+notes         decode, and the broadcast status and signal overview notes
//   expand+decode+notes  the same from the payload
//   line+notes           from the whole "*MSG" line: the split, the week and time read, the
//                        captions' texts and the repeat rule too
//
// Samples are interleaved (every source and start in turn, then again), and the median of each
// is printed. Run: build/benchmarks/bench_app_path [samples=15] [source] [start]
// Instruction counts: benchmarks/callgrind.sh (runs one pass under callgrind).
#include "codec/pardo.h"
#include "demo_schedule.h"
#include "link/message_catalogue.h"
#include "link/message_intake.h"
#include "mops/gpstime.h"
#include "mops/mt01.h"
#include "mops/mt02_05.h"
#include "mops/mt18.h"
#include "output/log_record.h"
#include "overview/signal_overview.h"
#include "sismode/sis_mode_monitor.h"
#include "sismode/type_indicators.h"
#include "state/shared_buffers.h"
#include "text/number_text.h"
#include "time/clock.h"

#include "support/recordings_dir.h"

#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// One message as the server would send it.
struct Item {
    std::string text;    // expanded: the 64 digits and the trailer
    std::string payload; // run-length coded
    std::string line;    // the whole "*MSG" line
    double week = 0, tow = 0;
};

std::vector<Item> Items(const std::vector<LogRecord> &records)
{
    std::vector<Item> items;
    for (const LogRecord &r : records) {
        Item it;
        it.text = r.hex + "000";
        TPARDO p;
        p.Data = it.text;
        p.Compress();
        it.payload = p.Data;
        const GpsWeekTime t = DateTimeToGPSTime(r.time);
        it.week = t.week;
        it.tow = t.seconds;
        it.line = "*MSG," + std::to_string(t.week) + "," + std::to_string(static_cast<long long>(t.seconds)) + "," +
                  it.payload;
        items.push_back(std::move(it));
    }
    return items;
}

std::vector<LogRecord> ReadRecording(const std::string &path)
{
    std::vector<LogRecord> out;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (auto r = ParseLogRecord(line))
            out.push_back(*r);
    return out;
}

// The status window without its widgets: the indicators' times and colours, as it keeps them.
class StatusWindow final : public SisModeDisplay {
public:
    explicit StatusWindow(const Clock &clock) : clock_(clock) {}
    void SetMode(const std::string &, bool, int) override {}
    void RefreshTypes() override
    {
        indicators_.Refresh(clock_.Now(), [this](int, bool) { ++changes; });
    }
    void NoteType(int type) { indicators_.Note(type, clock_.Now(), true); }
    int changes = 0;

private:
    const Clock &clock_;
    TypeIndicators indicators_;
};

template <typename T>
std::unique_ptr<T> Zeroed()
{
    auto p = std::make_unique<T>();
    std::memset(p.get(), 0, sizeof(T));
    return p;
}

volatile double gSink; // what the windows would have been handed, kept from being optimised away

// The application's per-message work from the intake's outcome on, as the main window applies it.
class AppPath {
public:
    AppPath()
        : mt01_(*mask_), status_(clock_), monitor_(status_, clock_),
          overview_(*mask_, *grid_)
    {
        TMT18 layout(*grid_); // the grid positions, laid out once as at start-up
        DecoderBuffers buffers{*mask_, *grid_, *service_};
        for (const HandledType &t : kHandledTypes)
            if (t.decoder)
                decoders_[static_cast<std::size_t>(t.type)] = t.decoder(buffers);
        session_.requestCount = kRequestCount + 1;
    }

    template <bool Notes>
    void Decode(const Item &it)
    {
        Apply<Notes>(intake_.TakeExpanded(it.text, it.week, it.tow, session_));
    }
    template <bool Notes>
    void ExpandAndDecode(const Item &it)
    {
        pardo_.DecompressFrom(it.payload, 67); // as the intake expands a payload
        Apply<Notes>(intake_.TakeExpanded(pardo_.Data, it.week, it.tow, session_));
    }
    void Line(const Item &it) { Apply<true>(intake_.Take(it.line, session_)); }

private:
    // As the main window applies the intake's outcome; without the notes, only the decoding.
    template <bool Notes>
    void Apply(const IntakeOutcome &out)
    {
        if (!out.message)
            return;
        if (Notes) {
            monitor_.State.MarkReceived(out.type);
            status_.NoteType(out.type);
        }
        if (out.shown) {
            ProcessMT1(*out.message, *out.shown);
            if (Notes)
                monitor_.Evaluate();
            intake_.NoteDispatched();
            Dispatch(out.shownType, *out.message, *out.shown);
        }
        if (Notes) {
            overview_.NoteMessage(out.gpsSeconds, *out.message, out.shownType, out.live, monitor_.CurrentMode());
            if (out.secondTick)
                monitor_.Evaluate();
        }
    }

    // As the type 1 window's processing does it.
    void ProcessMT1(const TMOPSMsg &message, const ShownType &shown)
    {
        if (!shown.IsMask())
            return;
        mt01_.Take(message);
        mt01_.File();
    }

    void Dispatch(int type, const TMOPSMsg &message, const ShownType &shown)
    {
        if (type >= 2 && type <= 5) {
            FastCorrections(message, shown);
            return;
        }
        if (TMOPSMsg *d = decoders_[static_cast<std::size_t>(type)].get()) {
            d->SetMessage(message);
            if (!d->Message().empty())
                d->Decode();
        }
    }

    // As the type 2 to 5 worker reads its message and places it (its caption's number is read
    // once, while it stays the same).
    void FastCorrections(const TMOPSMsg &message, const ShownType &shown)
    {
        if (!mt01_.MaskReceived())
            return;
        const mt02_05::Reading r = mt02_05::Read(message);
        const MaskSlots &masked = mt01_.Slots(r.iodp);
        fastShown_ = shown;
        const std::optional<int32_t> type = fastShown_.NumberValue();
        if (!type)
            return;
        const mt02_05::Covered covered = mt02_05::CoveredBy(*type, masked.count);
        double sum = 0;
        for (int i = 0; i < covered.count; ++i)
            sum += masked.slot[static_cast<std::size_t>(covered.first + i)] + r.prc[static_cast<std::size_t>(i)] +
                   r.udrei[static_cast<std::size_t>(i)] + r.Udre(i) + r.Variance(i);
        gSink = sum;
    }

    std::unique_ptr<PRNMaskBuffer> mask_ = Zeroed<PRNMaskBuffer>();
    std::unique_ptr<IGPBuffer> grid_ = Zeroed<IGPBuffer>();
    std::unique_ptr<ServiceMsgBuffer> service_ = Zeroed<ServiceMsgBuffer>();
    SystemClock clock_;
    IntakeSession session_;
    MessageIntake intake_;
    TPARDO pardo_;
    TMT01 mt01_;
    ShownType fastShown_;
    std::array<std::unique_ptr<TMOPSMsg>, catalogue::kTypeCount> decoders_;
    StatusWindow status_;
    TSISModeThread monitor_;
    SignalOverview overview_;
};

enum class Start { Decode, ExpandAndDecode, DecodeNotes, ExpandAndDecodeNotes, LineNotes };
const char *const kStartNames[] = {"decode", "expand+decode", "decode+notes", "expand+decode+notes", "line+notes"};
constexpr Start kStarts[] = {Start::Decode, Start::ExpandAndDecode, Start::DecodeNotes, Start::ExpandAndDecodeNotes,
                             Start::LineNotes};

void Pass(AppPath &path, const std::vector<Item> &items, Start start)
{
    for (const Item &it : items) {
        switch (start) {
        case Start::Decode: path.Decode<false>(it); break;
        case Start::ExpandAndDecode: path.ExpandAndDecode<false>(it); break;
        case Start::DecodeNotes: path.Decode<true>(it); break;
        case Start::ExpandAndDecodeNotes: path.ExpandAndDecode<true>(it); break;
        case Start::LineNotes: path.Line(it); break;
        }
    }
}

// The only passes callgrind counts (benchmarks/callgrind.sh toggles collection on this name).
__attribute__((noipa)) void MeasuredPass(AppPath &path, const std::vector<Item> &items, Start start)
{
    Pass(path, items, start);
}

__attribute__((noipa)) void WarmUpPass(AppPath &path, const std::vector<Item> &items, Start start)
{
    Pass(path, items, start);
}

// CPU time of this thread: the machine may be shared, and time spent waiting for it is not ours.
double ThreadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

struct Source {
    std::string name;
    std::vector<Item> items;
};

struct Run {
    const Source *source;
    Start start;
    std::unique_ptr<AppPath> path = std::make_unique<AppPath>();
    std::vector<double> nsPerMessage;
};

} // namespace

int main(int argc, char **argv)
{
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string onlySource = argc > 2 ? argv[2] : "";
    const std::string onlyStart = argc > 3 ? argv[3] : "";

    std::vector<Source> sources;
    {
        std::vector<LogRecord> demo;
        for (const std::string &line : DemoRecording({}))
            demo.push_back(*ParseLogRecord(line));
        sources.push_back({"demo-hour", Items(demo)});
    }
    const std::string dir = RecordingsDir();
    for (const char *name : {"recording-a", "recording-b", "recording-c"}) {
        auto records = ReadRecording(dir + "/" + name + ".txt");
        if (records.empty())
            std::fprintf(stderr, "no %s in %s (set VELMAR_RECORDINGS_DIR): skipped\n", name, dir.c_str());
        else
            sources.push_back({name, Items(records)});
    }

    std::vector<Run> runs;
    for (const Source &s : sources)
        for (const Start start : kStarts)
            if ((onlySource.empty() || onlySource == s.name) &&
                (onlyStart.empty() || onlyStart == kStartNames[static_cast<int>(start)]))
                runs.push_back({&s, start, std::make_unique<AppPath>(), {}});
    if (runs.empty()) {
        std::fprintf(stderr, "nothing to run\n");
        return 1;
    }
    for (Run &r : runs)
        WarmUpPass(*r.path, r.source->items, r.start);

    for (int s = 0; s < samples; ++s)
        for (Run &r : runs) {
            const double t0 = ThreadCpuNs();
            MeasuredPass(*r.path, r.source->items, r.start);
            r.nsPerMessage.push_back((ThreadCpuNs() - t0) / static_cast<double>(r.source->items.size()));
        }

    std::printf("core-only, no widgets: the application's per-message work from intake to overview\n");
    std::printf("(thread CPU time, median of %d interleaved passes)\n", samples);
    std::printf("%-12s %-20s %9s %12s %12s\n", "source", "start", "messages", "ns/message", "M msg/s");
    for (Run &r : runs) {
        std::sort(r.nsPerMessage.begin(), r.nsPerMessage.end());
        const double median = r.nsPerMessage[r.nsPerMessage.size() / 2];
        std::printf("%-12s %-20s %9zu %12.1f %12.2f\n", r.source->name.c_str(), kStartNames[static_cast<int>(r.start)],
                    r.source->items.size(), median, 1e3 / median);
    }
    return 0;
}
