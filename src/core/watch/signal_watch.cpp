#include "watch/signal_watch.h"

#include "overview/signal_overview.h"
#include "text/display_text.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFirstSatelliteItem = static_cast<int>(Item::FastCorrection);
constexpr int kPerSatellite = 4; // fast correction, UDREI, long-term, covariance
static_assert(static_cast<int>(Item::Covariance) - kFirstSatelliteItem + 1 == kPerSatellite);
constexpr int kSatelliteBase = kSignalItems;
constexpr int kGridBase = kSatelliteBase + (kSlots + 1) * kPerSatellite;
constexpr int kClocks = kGridBase + kIgpCount;

// A live time this far behind the latest is another time (a replay started again), not a late message.
constexpr double kStepBackSeconds = 60;
// Parity failures within this long of the first are one burst when they are 3 or more.
constexpr double kParityMinute = 60;
constexpr int kBurst = 3;

// The signal's items a satellite's corrections depend on.
constexpr Item kSatelliteDependsOn[] = {Item::Mask, Item::Degradation, Item::DegradationParameters};

std::string Seconds(double s)
{
    return std::to_string(std::llround(s)) + " s";
}

std::string Count(long n, const char *thing)
{
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

std::string SatelliteName(int slot)
{
    const auto [system, prn] = SlotSystem(slot);
    return system + " " + std::to_string(prn);
}

std::string UdreiText(int udrei)
{
    if (udrei < 0)
        return "none";
    if (udrei == 14)
        return "14 (not monitored)";
    if (udrei == 15)
        return "15 (do not use)";
    return std::to_string(udrei);
}

// 14 and 15 each stand apart; every other indicator is one class.
int UdreiClass(int udrei)
{
    return udrei >= 14 ? udrei : 0;
}

std::string TypeList(uint64_t types)
{
    std::string list;
    for (int t = 0; t < 64; ++t)
        if (types >> t & 1)
            list += (list.empty() ? "" : ", ") + std::to_string(t);
    return list;
}

} // namespace

SignalWatch::SignalWatch(const PRNMaskBuffer &mask, const IGPBuffer &grid) : mask_(mask), grid_(grid)
{
    Reset();
}

void SignalWatch::SetGeo(const std::string &geo)
{
    geo_ = geo;
    // One event is one line of the log file.
    std::replace_if(geo_.begin(), geo_.end(), [](char c) { return c >= 0 && c < ' '; }, ' ');
}

void SignalWatch::Reset()
{
    if (parity_.count > 0)
        CloseParityRun(); // what happened before is logged
    started_ = false;
    now_ = time_ = 0;
    hadLive_ = false;
    lastLive_ = 0;
    clocks_.assign(kClocks, Clock{});
    deadlines_.Resize(kClocks);
    intervals_.fill({});
    for (int t = 0; t < 64; ++t)
        intervals_[static_cast<std::size_t>(t)].limit = MaxUpdateInterval(t);
    lastOfType_.fill(0);
    udreiIntervals_ = {};
    udreiIntervals_.limit = kUdreiUpdateInterval;
    lastUdrei_.fill(0);
    lastType2_ = -1;
    genuineType2_ = false;
    parity_ = {};
    maskKnown_ = false;
    iodp_ = iodi_ = iods_ = -1;
    masked_.fill(false);
    udrei_.fill(-1);
    indicator_.fill(-1);
    iode_.fill(-1);
    iodf_.fill(-1);
    bandKnown_.fill(false);
    gridMasked_.assign(kIgpCount, false);
}

void SignalWatch::Restart()
{
    // The values stay (so no change is logged that did not happen); their times are forgotten.
    clocks_.assign(kClocks, Clock{});
    deadlines_.Resize(kClocks);
    lastOfType_.fill(0);
    lastUdrei_.fill(0);
    lastType2_ = -1;
    hadLive_ = false;
    now_ = time_;
}

void SignalWatch::SetColumn(Column column)
{
    column_ = column;
    for (int id = 0; id < kClocks; ++id) {
        Clock &c = clocks_[static_cast<std::size_t>(id)];
        if (!c.received)
            continue;
        Requeue(id);
        const int timeout = TimeoutOf(id);
        if (c.expired && timeout >= 0 && now_ - c.last <= timeout)
            c.expired = false; // a longer time-out: still valid
    }
}

int SignalWatch::SatelliteId(int slot, Item item)
{
    return kSatelliteBase + slot * kPerSatellite + (static_cast<int>(item) - kFirstSatelliteItem);
}

int SignalWatch::GridId(int entry)
{
    return kGridBase + entry;
}

int SignalWatch::TimeoutOf(int id) const
{
    if (id < kSatelliteBase)
        return Timeout(static_cast<Item>(id), column_);
    if (id >= kGridBase)
        return Timeout(Item::GridDelay, column_);
    const int slot = (id - kSatelliteBase) / kPerSatellite;
    const auto item = static_cast<Item>(kFirstSatelliteItem + (id - kSatelliteBase) % kPerSatellite);
    if (item != Item::FastCorrection)
        return Timeout(item, column_);
    const int indicator = indicator_[static_cast<std::size_t>(slot)];
    return indicator < 0 ? -1 : FastCorrectionTimeout(indicator, column_);
}

std::string SignalWatch::NameOf(int id) const
{
    if (id < kSatelliteBase)
        return ItemName(static_cast<Item>(id));
    if (id >= kGridBase) {
        const IGPEntry &e = grid_.entry[id - kGridBase];
        return "grid point " + std::to_string(id - kGridBase) + " (" + LatitudeText(e.Latitude) + " " +
               LongitudeText(e.Longitude) + ") " + ItemName(Item::GridDelay);
    }
    const int slot = (id - kSatelliteBase) / kPerSatellite;
    return SatelliteName(slot) + " " +
           ItemName(static_cast<Item>(kFirstSatelliteItem + (id - kSatelliteBase) % kPerSatellite));
}

ItemAge SignalWatch::AgeOf(int id) const
{
    const Clock &c = clocks_[static_cast<std::size_t>(id)];
    ItemAge a;
    a.received = c.received;
    a.age = c.received ? now_ - c.last : 0;
    a.timeout = TimeoutOf(id);
    return a;
}

void SignalWatch::Log(EventKind kind, double time, std::string item, std::string from, std::string to)
{
    log_.Add({0, time, geo_, kind, std::move(item), std::move(from), std::move(to)});
}

void SignalWatch::Requeue(int id)
{
    const Clock &c = clocks_[static_cast<std::size_t>(id)];
    const int timeout = TimeoutOf(id);
    deadlines_.Set(id, c.received && timeout >= 0 ? c.last + timeout : DeadlineQueue::kNone);
}

void SignalWatch::Receive(int id)
{
    Clock &c = clocks_[static_cast<std::size_t>(id)];
    if (c.received && time_ < c.last)
        return; // an answer to a request, older than what came since
    const int timeout = TimeoutOf(id);
    if (timeout >= 0 && time_ + timeout < now_) {
        // Out of date as it arrives (an old answer to a request): known, but never valid here,
        // so neither a time-out nor, later, a recovery of it is news.
        c.received = true;
        c.last = time_;
        deadlines_.Set(id, DeadlineQueue::kNone);
        return;
    }
    const bool recovered = c.expired;
    c.received = true;
    c.expired = false;
    c.last = time_;
    deadlines_.Set(id, timeout >= 0 ? time_ + timeout : DeadlineQueue::kNone);
    if (recovered && id != static_cast<int>(Item::TestMode))
        Log(EventKind::Recovery, time_, NameOf(id), "timed out for " + Seconds(time_ - c.expiredAt), "received");
}

void SignalWatch::Expire(int id, double deadline)
{
    Clock &c = clocks_[static_cast<std::size_t>(id)];
    c.expired = true;
    c.expiredAt = deadline;
    deadlines_.Set(id, DeadlineQueue::kNone);
    if (id == static_cast<int>(Item::TestMode)) {
        Log(EventKind::TestMode, deadline, "type 0", genuineType2_ ? "Mode 0/0" : "Mode 0/2",
            "test mode left: no type 0 for " + Seconds(kTestModeSeconds));
        return;
    }
    Log(EventKind::TimeOut, deadline, NameOf(id), "valid", "timed out (time-out " + Seconds(TimeoutOf(id)) + ")");
}

void SignalWatch::Forget(int id)
{
    clocks_[static_cast<std::size_t>(id)] = {};
    deadlines_.Set(id, DeadlineQueue::kNone);
}

void SignalWatch::Begin(double time, int type, bool live, bool parityHolds, BroadcastMode mode)
{
    time_ = time;
    live_ = live;
    if (!started_) {
        started_ = true;
        now_ = time;
    }
    // The stream well behind what is known: a replay that started again, or answers to the
    // requests taken from another time than the stream's.
    if (live && time < now_ - kStepBackSeconds)
        Restart();
    now_ = std::max(now_, time);
    for (int id; (id = deadlines_.PopDue(now_)) >= 0;)
        Expire(id, deadlines_.Deadline(id));
    if (parity_.count > 0 && now_ >= parity_.start + kParityMinute)
        CloseParityRun();
    if (live) {
        const auto step = std::llround(time - lastLive_);
        if (hadLive_ && step > 1)
            Log(EventKind::Gap, time, "stream", GpsTimeText(lastLive_),
                GpsTimeText(time) + " (" + std::to_string(step - 1) + " s missing)");
        if (!hadLive_ || time > lastLive_)
            lastLive_ = time;
        hadLive_ = true;
        NoteInterval(type);
    }

    if (type == 0)
        NoteType0();
    else if (const int item = SignalItemOfType(type); item >= 0)
        Receive(item);
    if (type == 2) {
        lastType2_ = std::max(lastType2_, time);
        if (TestMode().on && !genuineType2_) {
            Log(EventKind::TestMode, time, "type 0", "Mode 0/2", "Mode 0/0: type 2 received beside type 0");
            genuineType2_ = true;
        }
    }
    if (!parityHolds)
        NoteParityFailure(type);
    if (mode != mode_) {
        auto name = [](BroadcastMode m) { return m == BroadcastMode::None ? "not decided" : ModeName(m); };
        Log(EventKind::Mode, time, "broadcast status", name(mode_), name(mode));
        mode_ = mode;
    }
}

void SignalWatch::NoteType0()
{
    const int id = static_cast<int>(Item::TestMode);
    const Clock &c = clocks_[static_cast<std::size_t>(id)];
    const bool wasOn = c.received && !c.expired;
    Receive(id);
    const bool type2 = lastType2_ >= 0 && time_ - lastType2_ <= kTestModeSeconds;
    if (!wasOn)
        Log(EventKind::TestMode, time_, "type 0", "no type 0 within " + Seconds(kTestModeSeconds),
            std::string(type2 ? "Mode 0/0" : "Mode 0/2") + ": test mode, not for safety use");
    else if (type2 != genuineType2_)
        Log(EventKind::TestMode, time_, "type 0", genuineType2_ ? "Mode 0/0" : "Mode 0/2",
            type2 ? "Mode 0/0" : "Mode 0/2: no type 2 within " + Seconds(kTestModeSeconds));
    genuineType2_ = type2;
}

void SignalWatch::NoteInterval(int type)
{
    double &last = lastOfType_[static_cast<std::size_t>(type)];
    UpdateIntervals &iv = intervals_[static_cast<std::size_t>(type)];
    if (last > 0 && time_ > last) {
        const double interval = time_ - last;
        iv.longest = std::max(iv.longest, interval);
        if (iv.limit >= 0 && interval > iv.limit) {
            ++iv.exceeded;
            Log(EventKind::Interval, time_, "type " + std::to_string(type), "at most " + Seconds(iv.limit),
                Seconds(interval) + " since the last");
        }
    }
    last = std::max(last, time_);
}

void SignalWatch::NoteParityFailure(int type)
{
    if (parity_.count == 0)
        parity_.start = time_;
    ++parity_.count;
    if (parity_.first.size() < kBurst)
        parity_.first.emplace_back(time_, type);
    parity_.types |= uint64_t{1} << (type & 63);
}

void SignalWatch::CloseParityRun()
{
    const ParityRun run = std::move(parity_);
    parity_ = {};
    if (run.count >= kBurst) {
        Log(EventKind::Parity, run.start, "types " + TypeList(run.types), "parity holds",
            "burst: " + std::to_string(run.count) + " failures within " + Seconds(kParityMinute));
        return;
    }
    for (const auto &[time, type] : run.first)
        Log(EventKind::Parity, time, "type " + std::to_string(type), "parity holds", "CRC-24Q fails");
}

void SignalWatch::NoteCorrection(int slot, int udrei)
{
    Receive(SatelliteId(slot, Item::FastCorrection));
    NoteUdrei(slot, udrei);
}

void SignalWatch::NoteUdrei(int slot, int udrei)
{
    const auto s = static_cast<std::size_t>(slot);
    Receive(SatelliteId(slot, Item::Udrei));
    if (live_) {
        if (lastUdrei_[s] > 0 && time_ > lastUdrei_[s]) {
            const double interval = time_ - lastUdrei_[s];
            udreiIntervals_.longest = std::max(udreiIntervals_.longest, interval);
            if (interval > udreiIntervals_.limit)
                ++udreiIntervals_.exceeded;
        }
        lastUdrei_[s] = std::max(lastUdrei_[s], time_);
    }
    // From a known indicator only: the first one a satellite gets is no change.
    int &known = udrei_[s];
    if (known >= 0 && UdreiClass(known) != UdreiClass(udrei))
        Log(EventKind::Udrei, time_, SatelliteName(slot) + " UDREI", UdreiText(known), UdreiText(udrei));
    known = udrei;
}

void SignalWatch::NoteIndicator(int slot, int indicator)
{
    int &known = indicator_[static_cast<std::size_t>(slot)];
    if (known == indicator)
        return;
    known = indicator;
    Requeue(SatelliteId(slot, Item::FastCorrection)); // its time-out follows the indicator
}

bool SignalWatch::NoteIod(int &known, int now)
{
    const int was = known;
    known = now;
    return was >= 0 && was != now;
}

void SignalWatch::LogIod(const std::string &item, int from, int to)
{
    Log(EventKind::IssueOfData, time_, item, std::to_string(from), std::to_string(to));
}

void SignalWatch::NoteLongTerm(int slot, int iode)
{
    Receive(SatelliteId(slot, Item::LongTerm));
    const int was = iode_[static_cast<std::size_t>(slot)];
    if (NoteIod(iode_[static_cast<std::size_t>(slot)], iode))
        LogIod(SatelliteName(slot) + " IODE", was, iode);
}

void SignalWatch::NoteCovariance(int slot)
{
    Receive(SatelliteId(slot, Item::Covariance));
}

void SignalWatch::NoteGridPoint(int entry)
{
    Receive(GridId(entry));
}

void SignalWatch::NoteIodf(int set, int iodf)
{
    // The IODF counts 0, 1, 2 with each new set of corrections: only the alarm value 3 is news.
    int &known = iodf_[static_cast<std::size_t>(set) % iodf_.size()];
    if (known >= 0 && (known == 3) != (iodf == 3))
        Log(EventKind::IssueOfData, time_,
            set >= 60 ? "IODF" + std::to_string(set - 60) + " (type 6)" : "IODF (type " + std::to_string(set) + ")",
            std::to_string(known), iodf == 3 ? "3 (alarm)" : std::to_string(iodf));
    known = iodf;
}

void SignalWatch::NoteMask()
{
    if (!mask_.received)
        return;
    const int iodp = mask_.currentIODP % kIodps;
    if (const int was = iodp_; NoteIod(iodp_, iodp))
        LogIod("IODP (type 1)", was, iodp);
    std::vector<int> added, removed;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const bool in = mask_.mask[iodp][slot - 1] != 0;
        bool &was = masked_[static_cast<std::size_t>(slot)];
        if (in == was)
            continue;
        (in ? added : removed).push_back(slot);
        was = in;
        if (!in)
            for (int k = 0; k < kPerSatellite; ++k)
                Forget(SatelliteId(slot, static_cast<Item>(kFirstSatelliteItem + k)));
    }
    const bool known = maskKnown_;
    maskKnown_ = true;
    if (!known || (added.empty() && removed.empty()))
        return;
    const auto count = std::count(masked_.begin(), masked_.end(), true);
    const auto before = count - static_cast<long>(added.size()) + static_cast<long>(removed.size());
    std::string change;
    for (const auto &[list, word] : {std::pair{&added, " added"}, std::pair{&removed, " removed"}}) {
        if (list->empty())
            continue;
        std::string names;
        for (std::size_t i = 0; i < list->size() && i < 8; ++i)
            names += (i ? ", " : "") + SatelliteName((*list)[i]);
        if (list->size() > 8)
            names += " and " + std::to_string(list->size() - 8) + " more";
        change += (change.empty() ? ": " : "; ") + names + word;
    }
    Log(EventKind::Mask, time_, "PRN mask (IODP " + std::to_string(iodp) + ")",
        Count(before, "satellite"), Count(count, "satellite") + change);
}

void SignalWatch::NoteGridMask(int band, int iodi)
{
    if (const int was = iodi_; NoteIod(iodi_, iodi))
        LogIod("IODI (type 18)", was, iodi);
    if (band < 0 || band >= kBandCount)
        return;
    const int first = BandFirstEntry(band);
    int added = 0, removed = 0, count = 0;
    for (int e = first; e < first + BandSize(band); ++e) {
        const bool in = (grid_.entry[e].InMask & 0xFF) != 0;
        count += in ? 1 : 0;
        if (in == gridMasked_[static_cast<std::size_t>(e)])
            continue;
        ++(in ? added : removed);
        gridMasked_[static_cast<std::size_t>(e)] = in;
        if (!in)
            Forget(GridId(e));
    }
    const bool known = bandKnown_[static_cast<std::size_t>(band)];
    bandKnown_[static_cast<std::size_t>(band)] = true;
    if (known && (added > 0 || removed > 0))
        Log(EventKind::Mask, time_, "grid mask band " + std::to_string(band),
            Count(count - added + removed, "point"),
            Count(count, "point") + ": " + std::to_string(added) + " added, " + std::to_string(removed) + " removed");
}

void SignalWatch::NoteService(int iods)
{
    if (const int was = iods_; NoteIod(iods_, iods))
        LogIod("IODS (type 27)", was, iods);
}

ItemAge SignalWatch::Signal(Item item) const
{
    return AgeOf(static_cast<int>(item));
}

ItemAge SignalWatch::Satellite(int slot, Item item) const
{
    if (static_cast<int>(item) < kFirstSatelliteItem)
        return Signal(item);
    return AgeOf(SatelliteId(std::clamp(slot, 0, kSlots), item));
}

GridPointAge SignalWatch::GridPoint(int entry) const
{
    GridPointAge g;
    if (entry < 0 || entry >= kIgpCount)
        return g;
    g.inMask = gridMasked_[static_cast<std::size_t>(entry)];
    g.delay = AgeOf(GridId(entry));
    if (g.delay.received)
        g.givei = grid_.entry[entry].GIVEI;
    return g;
}

std::string SignalWatch::Expired(int slot) const
{
    int first = -1;
    double firstDeadline = 0;
    auto consider = [&](int id) {
        const ItemAge a = AgeOf(id);
        if (!a.Expired())
            return;
        const double deadline = now_ - a.age + a.timeout;
        if (first < 0 || deadline < firstDeadline) {
            first = id;
            firstDeadline = deadline;
        }
    };
    for (const Item item : kSatelliteDependsOn)
        consider(static_cast<int>(item));
    for (int k = 0; k < kPerSatellite; ++k)
        consider(SatelliteId(std::clamp(slot, 0, kSlots), static_cast<Item>(kFirstSatelliteItem + k)));
    if (first < 0)
        return {};
    const std::string name = first < kSatelliteBase
                                 ? ItemName(static_cast<Item>(first))
                                 : ItemName(static_cast<Item>(kFirstSatelliteItem + (first - kSatelliteBase) % kPerSatellite));
    return name + " expired " + Seconds(now_ - firstDeadline) + " ago (time-out " + Seconds(TimeoutOf(first)) + ")";
}

TestModeState SignalWatch::TestMode() const
{
    TestModeState t;
    const ItemAge a = Signal(Item::TestMode);
    t.on = a.received && a.age <= kTestModeSeconds;
    t.age = a.age;
    t.genuineType2 = t.on && lastType2_ >= 0 && now_ - lastType2_ <= kTestModeSeconds;
    return t;
}
