#include "replay.h"

#include "mops/gpstime.h"
#include "output/log_record.h"
#include "sbas_message.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {
constexpr double kSecondsPerWeek = 604800;

double Absolute(const SbasMessage &m)
{
    return m.week * kSecondsPerWeek + m.tow;
}
} // namespace

Recording Recording::Build(std::vector<Timed> timed, double origin, double span)
{
    Recording r;
    r.firstWeek_ = static_cast<int>(std::floor(origin / kSecondsPerWeek));
    r.firstTow_ = origin - r.firstWeek_ * kSecondsPerWeek;
    r.span_ = span;
    r.messages_.reserve(timed.size());
    for (Timed &t : timed) {
        const double offset = std::max(t.absolute - origin, r.messages_.empty() ? 0.0 : r.messages_.back().offset);
        r.messages_.push_back({t.type, std::move(t.hex), offset});
    }
    return r;
}

Recording Recording::FromRecords(const std::vector<std::string> &lines)
{
    std::vector<Timed> timed;
    std::size_t skipped = 0;
    for (const auto &line : lines) {
        const auto record = ParseLogRecord(line);
        if (!record) {
            skipped += !line.empty() && line != "\r";
            continue;
        }
        const GpsWeekTime g = DateTimeToGPSTime(record->time);
        timed.push_back({record->type, record->hex, g.week * kSecondsPerWeek + g.seconds});
    }
    const double origin = timed.empty() ? 0 : timed.front().absolute;
    Recording r = Build(std::move(timed), origin, 0);
    r.skipped_ = skipped;
    return r;
}

Recording Recording::FromMessages(const std::vector<SbasMessage> &messages)
{
    std::vector<Timed> timed;
    timed.reserve(messages.size());
    for (const SbasMessage &m : messages)
        timed.push_back({m.Type(), m.Hex(), Absolute(m)});
    const double origin = timed.empty() ? 0 : timed.front().absolute;
    return Build(std::move(timed), origin, 0);
}

std::map<int, Recording> Recording::ByGeo(const std::vector<SbasMessage> &messages)
{
    std::map<int, std::vector<Timed>> geos;
    double first = 0, last = 0;
    for (const SbasMessage &m : messages) {
        const double t = Absolute(m);
        if (geos.empty())
            first = last = t;
        first = std::min(first, t);
        last = std::max(last, t);
        geos[m.prn].push_back({m.Type(), m.Hex(), t});
    }
    std::map<int, Recording> out;
    for (auto &[prn, timed] : geos)
        out.emplace(prn, Build(std::move(timed), first, last - first + 1));
    return out;
}

std::optional<Recording> Recording::Load(const std::string &path, std::string &error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    Recording r = FromRecords(lines);
    if (r.Empty()) {
        error = path + " holds no message record";
        return std::nullopt;
    }
    return r;
}

int64_t Recording::ReplayedCount(double elapsed, bool loop) const
{
    if (messages_.empty() || elapsed < 0)
        return 0;
    const auto n = static_cast<int64_t>(messages_.size());
    const auto within = [this](double t) {
        return static_cast<int64_t>(std::upper_bound(messages_.begin(), messages_.end(), t,
                                                     [](double v, const Message &m) { return v < m.offset; }) -
                                    messages_.begin());
    };
    if (!loop)
        return std::isinf(elapsed) ? n : within(elapsed);
    if (std::isinf(elapsed))
        return INT64_MAX;
    const auto loops = static_cast<int64_t>(std::floor(elapsed / LoopSpan()));
    return loops * n + within(elapsed - static_cast<double>(loops) * LoopSpan());
}

Recording::Stamped Recording::At(int64_t index) const
{
    const auto n = static_cast<int64_t>(messages_.size());
    const Message &m = messages_[static_cast<std::size_t>(index % n)];
    const int64_t loop = index / n; // whole loops of the recording before this message
    double tow = firstTow_ + m.offset + static_cast<double>(loop) * LoopSpan();
    int week = firstWeek_;
    const auto weeks = static_cast<int>(std::floor(tow / kSecondsPerWeek));
    week += weeks;
    tow -= weeks * kSecondsPerWeek;
    return {&m, week, tow};
}

int64_t Recording::LatestOfType(int type, int64_t count) const
{
    const auto n = static_cast<int64_t>(messages_.size());
    for (int64_t i = count - 1; i >= 0 && i >= count - n; --i)
        if (messages_[static_cast<std::size_t>(i % n)].type == type)
            return i;
    return -1;
}
