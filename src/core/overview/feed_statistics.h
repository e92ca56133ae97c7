#pragma once

#include "sismode/sis_mode_state.h"

#include <cstdint>

// Why a line never became a message.
enum class RejectKind { OverLong, Pardo };

// The feed as a whole, from the times of week of the live stream: seconds missing, seconds sent
// twice, steps back in time, lines refused, and the broadcast mode with the time it began.
class FeedStatistics {
public:
    void NoteTime(double time);
    void NoteDuplicate() { ++duplicates_; }
    void NoteRejected(RejectKind kind) { ++(kind == RejectKind::OverLong ? overLong_ : pardoErrors_); }
    void NoteMode(BroadcastMode mode, double time);

    int64_t MissingSeconds() const { return missing_; }
    int64_t Gaps() const { return gaps_; }
    double LongestGap() const { return longestGap_; }
    int64_t Duplicates() const { return duplicates_; }
    int64_t StepsBack() const { return stepsBack_; }
    int64_t OverLong() const { return overLong_; }
    int64_t PardoErrors() const { return pardoErrors_; }
    BroadcastMode Mode() const { return mode_; }
    double ModeSince() const { return modeSince_; }

private:
    bool started_ = false;
    double previous_ = 0;
    int64_t missing_ = 0, gaps_ = 0, duplicates_ = 0, stepsBack_ = 0, overLong_ = 0, pardoErrors_ = 0;
    double longestGap_ = 0;
    BroadcastMode mode_ = BroadcastMode::None;
    double modeSince_ = 0;
};
