#include "feed.h"

#include "sbas_message.h"

#include <limits>

ReplayFeed::ReplayFeed(Recording recording, double speed, bool loop)
    : recording_(std::move(recording)), speed_(speed), loop_(loop)
{
}

void ReplayFeed::Start()
{
    if (!clock_.isValid())
        clock_.start();
}

int64_t ReplayFeed::End() const
{
    if (recording_.Empty())
        return 0;
    if (speed_ <= 0)
        return recording_.ReplayedCount(std::numeric_limits<double>::infinity(), loop_);
    if (!clock_.isValid())
        return 0;
    return recording_.ReplayedCount(clock_.elapsed() / 1000.0 * speed_, loop_);
}

FeedMessage ReplayFeed::At(int64_t index) const
{
    const Recording::Stamped s = recording_.At(index);
    return {s.message->type, &s.message->hex, s.week, s.tow};
}

std::optional<FeedMessage> ReplayFeed::LatestOfType(int type, int64_t position) const
{
    const int64_t i = recording_.LatestOfType(type, position);
    if (i < 0)
        return std::nullopt;
    return At(i);
}

QString ReplayFeed::Describe() const
{
    return QString("%1 messages").arg(recording_.Size());
}

LiveFeed::LiveFeed(std::size_t capacity) : ring_(std::max<std::size_t>(capacity, 1)) {}

void LiveFeed::Append(const SbasMessage &m)
{
    Slot &s = ring_[static_cast<std::size_t>(end_ % static_cast<int64_t>(ring_.size()))];
    s = {m.Type(), m.Hex(), m.week, m.tow};
    latest_[static_cast<std::size_t>(s.type)] = s;
    ++end_;
}

int64_t LiveFeed::Begin() const
{
    return std::max<int64_t>(0, end_ - static_cast<int64_t>(ring_.size()));
}

FeedMessage LiveFeed::At(int64_t index) const
{
    return View(ring_[static_cast<std::size_t>(index % static_cast<int64_t>(ring_.size()))]);
}

std::optional<FeedMessage> LiveFeed::LatestOfType(int type, int64_t) const
{
    const auto &s = latest_[static_cast<std::size_t>(type)];
    if (!s)
        return std::nullopt;
    return View(*s);
}

QString LiveFeed::Describe() const
{
    return "live messages";
}
