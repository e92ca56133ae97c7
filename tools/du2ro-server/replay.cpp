#include "replay.h"

#include "mops/gpstime.h"
#include "output/log_record.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {
constexpr double kSecondsPerWeek = 604800;
}

Recording Recording::FromRecords(const std::vector<std::string> &lines)
{
    Recording r;
    double first = 0;
    for (const auto &line : lines) {
        const auto record = ParseLogRecord(line);
        if (!record) {
            r.skipped_ += !line.empty() && line != "\r";
            continue;
        }
        const GpsWeekTime g = DateTimeToGPSTime(record->time);
        const double absolute = g.week * kSecondsPerWeek + g.seconds;
        if (r.messages_.empty()) {
            first = absolute;
            r.firstWeek_ = g.week;
            r.firstTow_ = g.seconds;
        }
        // A clock running backwards in a recording is replayed as simultaneous.
        const double offset = std::max(absolute - first, r.messages_.empty() ? 0.0 : r.messages_.back().offset);
        r.messages_.push_back({record->type, record->hex, offset});
    }
    return r;
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
