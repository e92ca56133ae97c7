#pragma once

#include "replay.h"

#include <QElapsedTimer>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SbasMessage;

struct FeedMessage {
    int type = 0;
    const std::string *hex = nullptr; // valid until the feed changes
    int week = 0;
    double tow = 0;
};

// What one listening port serves: messages addressed by an index that only grows. Clients may
// be sent the messages from Begin() up to End(). A self-paced feed (a replay as fast as the
// clients take it) lets each client run through it from the start at its own pace; the others
// move on with the clock or with the receiver, and a client starts where they stand.
class Feed {
public:
    virtual ~Feed() = default;
    virtual void Start() {}
    virtual int64_t Begin() const = 0;
    virtual int64_t End() const = 0;
    virtual bool SelfPaced() const { return false; }
    virtual FeedMessage At(int64_t index) const = 0;
    // The latest message of the type before `position` (End() of a live feed).
    virtual std::optional<FeedMessage> LatestOfType(int type, int64_t position) const = 0;
    virtual QString Describe() const = 0;
};

// A recording replayed against its GPS times at `speed` (0: as fast as the clients take it),
// the clock starting at the first Start().
class ReplayFeed final : public Feed {
public:
    ReplayFeed(Recording recording, double speed, bool loop);

    void Start() override;
    int64_t Begin() const override { return 0; }
    int64_t End() const override;
    bool SelfPaced() const override { return speed_ <= 0; }
    FeedMessage At(int64_t index) const override;
    std::optional<FeedMessage> LatestOfType(int type, int64_t position) const override;
    QString Describe() const override;

private:
    Recording recording_;
    double speed_;
    bool loop_;
    QElapsedTimer clock_;
};

// Messages as a receiver delivers them. The newest `capacity` are kept, so a client may lag
// that far behind; the latest message of each type is kept for the request answers however
// long ago it came.
class LiveFeed final : public Feed {
public:
    explicit LiveFeed(std::size_t capacity);

    void Append(const SbasMessage &m);
    int64_t Begin() const override;
    int64_t End() const override { return end_; }
    FeedMessage At(int64_t index) const override;
    std::optional<FeedMessage> LatestOfType(int type, int64_t position) const override;
    QString Describe() const override;

private:
    struct Slot {
        int type = 0;
        std::string hex;
        int week = 0;
        double tow = 0;
    };
    static FeedMessage View(const Slot &s) { return {s.type, &s.hex, s.week, s.tow}; }

    std::vector<Slot> ring_;
    int64_t end_ = 0;
    std::array<std::optional<Slot>, 64> latest_;
};
