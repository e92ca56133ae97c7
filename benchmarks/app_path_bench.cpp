// Core-only driver, no widgets: every message of a real recording (and of the demo hour) through
// the per-message work the application does between the socket and the windows' cells: the
// intake (type, type 0 rule, bytes), the broadcast status (record, indicator times, the monitor's
// ticks), the type 1 mask processing, the type 2 to 5 reads and slot list, the decoder of types
// 6 to 28 and the signal overview's note. What a window then writes is left out.
//
// Three starting points per source:
//   decode         the expanded message text, as the intake holds it after the expansion
//   expand+decode  the run-length coded payload as the server sends it
//   line           the whole "*MSG" line (split, week and time read, captions, repeat rule)
//
// Samples are interleaved (every source and start in turn, then again), and the median of each
// is printed. Run: build/benchmarks/bench_app_path [samples=15] [source] [start]
// Instruction counts: benchmarks/callgrind.sh (runs one pass under callgrind).
#include "codec/pardo.h"
#include "demo_schedule.h"
#include "link/message_catalogue.h"
#include "link/message_intake.h"
#include "link/message_text.h"
#include "mops/aux_functions.h"
#include "mops/gpstime.h"
#include "mops/mt01.h"
#include "mops/mt02_05.h"
#include "mops/mt18.h"
#include "output/log_record.h"
#include "overview/signal_overview.h"
#include "sismode/sis_mode_monitor.h"
#include "state/shared_buffers.h"
#include "text/number_text.h"
#include "time/clock.h"

#include "support/recordings_dir.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
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

// The status window's indicator bookkeeping without its widgets: the time each type was last
// seen, and the colour each indicator would show.
class IndicatorTimes final : public SisModeDisplay {
public:
    explicit IndicatorTimes(const Clock &clock) : clock_(clock) { green_.fill(-1); }
    void SetMode(const std::string &, bool, int) override {}
    void RefreshTypes() override
    {
        const DateTime now = clock_.Now();
        for (const int type : MTBuffer::kTypes)
            Colour(type, std::trunc(lastSeen_[type]) != 0 && now <= lastSeen_[type] + kFiveMinutes);
    }
    void NoteType(int type)
    {
        lastSeen_[type] = clock_.Now();
        Colour(type, true);
    }
    int changes = 0;

private:
    void Colour(int type, bool green)
    {
        if (green_[type] == green)
            return;
        green_[type] = green;
        ++changes;
    }
    const Clock &clock_;
    std::array<DateTime, 64> lastSeen_{};
    std::array<signed char, 64> green_{};
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
        : mt01_(*mask_, [](int, bool) {}), indicators_(clock_), monitor_(indicators_, clock_),
          overview_(*mask_, *grid_)
    {
        TMT18 layout(*grid_); // the grid positions, laid out once as at start-up
        DecoderBuffers buffers{*mask_, *grid_, *service_};
        for (const HandledType &t : kHandledTypes)
            if (t.decoder)
                decoders_[static_cast<std::size_t>(t.type)] = t.decoder(buffers);
        session_.requestCount = kRequestCount + 1;
    }

    void Decode(const Item &it) { Apply(intake_.TakeExpanded(it.text, it.week, it.tow, session_)); }
    void ExpandAndDecode(const Item &it)
    {
        pardo_.Data = it.payload;
        pardo_.Decompress(67);
        Apply(intake_.TakeExpanded(pardo_.Data, it.week, it.tow, session_));
    }
    void Line(const Item &it) { Apply(intake_.Take(it.line, session_)); }

private:
    void Apply(const IntakeOutcome &out)
    {
        if (!out.message)
            return;
        monitor_.State.MarkReceived(out.type);
        indicators_.NoteType(out.type);
        if (out.shown) {
            ProcessMT1(*out.text, *out.shown);
            monitor_.Evaluate();
            intake_.NoteDispatched();
            Dispatch(out.shownType, *out.text, *out.shown);
        }
        overview_.NoteMessage(out.gpsSeconds, *out.message, out.shownType, out.live, monitor_.CurrentMode());
        if (out.secondTick)
            monitor_.Evaluate();
    }

    // As the type 1 window's processing does it.
    void ProcessMT1(const std::string &text, const ShownType &shown)
    {
        if (!shown.IsMask())
            return;
        mt01_.SetText(text);
        const int iodp = mt01_.ReadIODP();
        lastIODP_ = iodp;
        for (int i = 0; i < kSlots; ++i)
            copy_[iodp][i] = mt01_.SlotActive(i + 1);
        mt01_.Execute();
    }

    void Dispatch(int type, const std::string &text, const ShownType &shown)
    {
        if (type >= 2 && type <= 5) {
            fastText_ = text;
            fastShown_ = shown;
            FastCorrectionsUpdate();
            return;
        }
        if (TMOPSMsg *d = decoders_[static_cast<std::size_t>(type)].get()) {
            d->SetMessage(text);
            if (!d->Message().empty())
                d->Decode();
        }
    }

    // As the type 2 to 5 worker reads its message and places it.
    void FastCorrectionsUpdate()
    {
        if (lastIODP_ < 0)
            return;
        std::string text = fastText_;
        if (text.size() >= 3)
            text.erase(text.size() - 3);
        const int iodp = BitField(text, mt02_05::kIODP.start, mt02_05::kIODP.width) & 3;
        const FastCorrections prc = FastCorrectionVector(text);
        const UDREIVectors integrity = UDREIVector(text);
        std::vector<int> masked;
        for (int i = 0; i < kSlots; ++i)
            if (copy_[iodp][i])
                masked.push_back(i + 1);
        const auto type = ParseInt32(fastShown_.Number());
        if (!type)
            return;
        const int first = (*type - 2) * mt02_05::kCorrections;
        const int covered = std::min(mt02_05::kCorrections, static_cast<int>(masked.size()) - first);
        double sum = 0;
        for (int i = 0; i < covered; ++i)
            sum += masked[first + i] + prc[i] + integrity.udrei[i] + integrity.udre[i] + integrity.variance[i];
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
    uint8_t copy_[kIodps][kSlots] = {};
    int lastIODP_ = -1;
    std::string fastText_;
    ShownType fastShown_;
    std::array<std::unique_ptr<TMOPSMsg>, catalogue::kTypeCount> decoders_;
    IndicatorTimes indicators_;
    TSISModeThread monitor_;
    SignalOverview overview_;
};

enum class Start { Decode, ExpandAndDecode, Line };
const char *const kStartNames[] = {"decode", "expand+decode", "line"};

void Pass(AppPath &path, const std::vector<Item> &items, Start start)
{
    for (const Item &it : items) {
        switch (start) {
        case Start::Decode: path.Decode(it); break;
        case Start::ExpandAndDecode: path.ExpandAndDecode(it); break;
        case Start::Line: path.Line(it); break;
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
        for (const Start start : {Start::Decode, Start::ExpandAndDecode, Start::Line})
            if ((onlySource.empty() || onlySource == s.name) &&
                (onlyStart.empty() || onlyStart == kStartNames[static_cast<int>(start)]))
                runs.push_back({&s, start, std::make_unique<AppPath>(), {}});
    if (runs.empty()) {
        std::fprintf(stderr, "nothing to run\n");
        return 1;
    }
    for (Run &r : runs)
        WarmUpPass(*r.path, r.source->items, r.start);

    using Clock = std::chrono::steady_clock;
    for (int s = 0; s < samples; ++s)
        for (Run &r : runs) {
            const auto t0 = Clock::now();
            MeasuredPass(*r.path, r.source->items, r.start);
            const auto ns = std::chrono::duration<double, std::nano>(Clock::now() - t0).count();
            r.nsPerMessage.push_back(ns / static_cast<double>(r.source->items.size()));
        }

    std::printf("core-only, no widgets: the application's per-message work from intake to overview\n");
    std::printf("%-12s %-14s %9s %12s %12s\n", "source", "start", "messages", "ns/message", "M msg/s");
    for (Run &r : runs) {
        std::sort(r.nsPerMessage.begin(), r.nsPerMessage.end());
        const double median = r.nsPerMessage[r.nsPerMessage.size() / 2];
        std::printf("%-12s %-14s %9zu %12.1f %12.2f\n", r.source->name.c_str(), kStartNames[static_cast<int>(r.start)],
                    r.source->items.size(), median, 1e3 / median);
    }
    return 0;
}
