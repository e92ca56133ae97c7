#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

// Lines from the data server: framing of the received byte stream and the fields of each reply.

// A line is at most 64 KiB long, not counting its line end, however the text arrives: a peer
// that sends a line without end cannot grow memory or the handling time without bound.
constexpr std::size_t kMaxLineLength = std::size_t{64} * 1024;
// Over-long text whose line end has not come within this many bytes is reported as text without
// a line end at that point rather than when (or if) its line end comes.
constexpr std::size_t kUnterminatedAfter = std::size_t{4} * 1024 * 1024;

enum class DroppedText {
    None,
    OverLongLine, // a line longer than the cap, ended by its line feed
    Unterminated, // text that ran on without a line end, or ended with the connection
};

// The log line for dropped text.
const char *DroppedTextReport(DroppedText reason);

struct ExtractedLine {
    std::string line;                         // "" when no line is waiting, for an empty line, or when dropped
    bool more = false;                        // another line (or dropped text) waits
    DroppedText dropped = DroppedText::None;  // this entry is dropped text, reported once
};

struct FramingLimits {
    std::size_t maxLine = kMaxLineLength;
    std::size_t unterminatedAfter = kUnterminatedAfter; // more than maxLine + 1
};

// The received byte stream cut into lines. Each byte is looked at once when it is appended;
// over-long text is never kept, only counted, and each piece of it is reported once, in its
// place among the lines. Lines are taken by position and the taken part is discarded only once
// it is at least as large as what is still waiting, so the cost per line does not grow with
// the text waiting behind it.
class LineFramer final {
public:
    explicit LineFramer(FramingLimits limits = {}) : limits_(limits) {}

    void Append(std::string_view received);
    // Takes the first waiting line, without its line end (a carriage return before the line
    // feed is part of the line end), or the next report of dropped text.
    ExtractedLine Next();
    bool HasLine() const { return waiting_ > 0; }
    // No more text follows (the connection ended): an unfinished line is discarded, and
    // over-long text without its line end is reported.
    void EndOfText();
    void Clear();

    // Bytes kept for lines not yet taken.
    std::size_t Held() const { return text_.size() - start_; }
    // Bytes moved to discard taken lines since the framer was made: the framing's only cost
    // beyond looking at each byte once and copying each line out.
    std::size_t BytesMoved() const { return moved_; }

private:
    struct Drop {
        std::size_t at; // position in text_ of the line that follows the dropped text
        DroppedText reason;
    };
    void Compact();
    void MarkDropped(DroppedText reason);
    bool TailTooLong() const;

    FramingLimits limits_;
    std::string text_;         // lines not yet taken, each with its line feed, then the unfinished line
    std::size_t start_ = 0;    // where the text not yet taken begins
    std::size_t tail_ = 0;     // where the unfinished line begins
    std::deque<Drop> drops_;   // dropped text not yet reported, in order
    std::size_t waiting_ = 0;  // lines and drops not yet taken
    bool skipping_ = false;    // the unfinished line is over-long: its bytes are counted, not kept
    std::size_t skipped_ = 0;  // its length so far
    bool reported_ = false;    // it was already reported as text without a line end
    std::size_t moved_ = 0;
};

enum class ReplyKind { Message, Authorised, End, Text, Error, RequestedMessage, Other };
ReplyKind Classify(const std::string &line);

// "*GETMSG,w,t,p" becomes "*MSG,w,t,p".
std::string RequestedToMessage(const std::string &line);

struct MessageFields {
    std::string week, time, payload; // a missing comma leaves its field empty
};
MessageFields SplitMessageLine(const std::string &line);

struct ErrorFields {
    std::string code, message; // with no second comma the code is empty
};
ErrorFields SplitErrorLine(const std::string &line);

std::string SplitTextLine(const std::string &line);
