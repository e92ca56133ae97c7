#pragma once

#include <cstddef>
#include <string>

// Lines from the data server: framing of the received byte stream and the fields of each reply.

// Text waiting for its line feed, and a complete line, are capped: a peer that never ends its
// line, or sends one without end, cannot grow memory or the handling time without bound.
constexpr std::size_t kMaxPendingText = std::size_t{64} * 1024;

struct ExtractedLine {
    std::string line;      // "" when no complete line is waiting, for an empty line, or when dropped
    bool more = false;     // another complete line waits in the pending text
    bool dropped = false;  // over-long text (with or without its line feed) was dropped
};

// The received byte stream cut into lines. Lines are taken by position; the text before them
// is discarded once per Append, so taking many lines from a large read costs no copying.
class LineFramer final {
public:
    void Append(const std::string &received);
    // Takes the first complete line; a carriage return before the line feed is not part of it.
    ExtractedLine Next();
    bool HasLine() const { return text_.find('\n', start_) != std::string::npos; }
    std::string Rest() const { return text_.substr(start_); }
    void Clear();

private:
    std::string text_;
    std::size_t start_ = 0; // where the text not yet taken begins
};

// Appends received to pending and takes the first complete line out of it.
ExtractedLine ExtractLine(std::string &pending, const std::string &received);

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
