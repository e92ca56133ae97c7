#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct SbasMessage;

// A recording replayed at its own pace. Messages are addressed by a virtual index that runs on
// through every loop of the recording; each loop moves the GPS times on, so a looped replay
// never repeats a time of week.
class Recording final {
public:
    struct Message {
        int type = 0;
        std::string hex;
        double offset = 0; // seconds after the start of the recording's timeline
    };
    struct Stamped {
        const Message *message;
        int week;
        double tow;
    };

    // A file in the message-log record format. Refuses a file with no valid record; lines that
    // are not records are skipped and counted.
    static std::optional<Recording> Load(const std::string &path, std::string &error);
    static Recording FromRecords(const std::vector<std::string> &lines);
    // Messages read from a receiver's file, all GEOs in one, in the file's order.
    static Recording FromMessages(const std::vector<SbasMessage> &messages);
    // The same file's GEOs each on its own, on the file's common timeline: a GEO whose first
    // message comes later in the file starts as late in the replay, and every GEO loops together.
    static std::map<int, Recording> ByGeo(const std::vector<SbasMessage> &messages);

    std::size_t Size() const { return messages_.size(); }
    std::size_t Skipped() const { return skipped_; }
    bool Empty() const { return messages_.empty(); }

    // How many messages have been replayed `elapsed` recording seconds after the start.
    int64_t ReplayedCount(double elapsed, bool loop) const;
    Stamped At(int64_t index) const;
    // Virtual index of the latest message of the type before `count`, or -1.
    int64_t LatestOfType(int type, int64_t count) const;

private:
    struct Timed {
        int type;
        std::string hex;
        double absolute; // GPS seconds since the GPS epoch
    };
    // Offsets from `origin`; a clock running backwards is replayed as simultaneous. A loop lasts
    // `span` seconds, or one second past the last message when `span` is 0.
    static Recording Build(std::vector<Timed> timed, double origin, double span);
    double LoopSpan() const { return span_ > 0 ? span_ : messages_.back().offset + 1; }

    std::vector<Message> messages_;
    std::size_t skipped_ = 0;
    int firstWeek_ = 0;
    double firstTow_ = 0;
    double span_ = 0;
};
