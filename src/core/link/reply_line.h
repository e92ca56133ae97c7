#pragma once

#include <cstddef>
#include <string>

// Lines from the data server: framing of the received byte stream and the fields of each reply.

// Text waiting for its line feed is capped: a peer that never ends its line cannot grow it
// without bound.
constexpr std::size_t kMaxPendingText = 64 * 1024;

struct ExtractedLine {
    std::string line;      // "" when no complete line is waiting, or for an empty line
    bool more = false;     // another complete line waits in the pending text
    bool dropped = false;  // pending text passed the cap without a line feed and was dropped
};

// Appends received to pending and takes the first complete line out of it; a carriage
// return before the line feed is not part of the line.
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
