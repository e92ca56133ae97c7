#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A recording in the message-log record format, replayed at its own pace. Messages are
// addressed by a virtual index that runs on through every loop of the recording; each loop
// moves the GPS times on, so a looped replay never repeats a time of week.
class Recording final {
public:
    struct Message {
        int type = 0;
        std::string hex;
        double offset = 0; // seconds after the first message
    };
    struct Stamped {
        const Message *message;
        int week;
        double tow;
    };

    // Refuses a file with no valid record; lines that are not records are skipped and counted.
    static std::optional<Recording> Load(const std::string &path, std::string &error);
    static Recording FromRecords(const std::vector<std::string> &lines);

    std::size_t Size() const { return messages_.size(); }
    std::size_t Skipped() const { return skipped_; }
    bool Empty() const { return messages_.empty(); }

    // How many messages have been replayed `elapsed` recording seconds after the start.
    int64_t ReplayedCount(double elapsed, bool loop) const;
    Stamped At(int64_t index) const;
    // Virtual index of the latest message of the type before `count`, or -1.
    int64_t LatestOfType(int type, int64_t count) const;

private:
    double LoopSpan() const { return messages_.back().offset + 1; }

    std::vector<Message> messages_;
    std::size_t skipped_ = 0;
    int firstWeek_ = 0;
    double firstTow_ = 0;
};
