#include "link/reply_line.h"

ExtractedLine ExtractLine(std::string &pending, const std::string &received)
{
    ExtractedLine out;
    pending += received;
    const auto p = pending.find('\n');
    if (p == std::string::npos) {
        if (pending.size() > kMaxPendingText) {
            pending.clear();
            out.dropped = true;
        }
        return out;
    }
    out.line = pending.substr(0, p);
    pending.erase(0, p + 1);
    if (!out.line.empty() && out.line.back() == '\r')
        out.line.pop_back();
    out.more = pending.find('\n') != std::string::npos;
    return out;
}

namespace {
bool StartsWith(const std::string &s, const char *prefix)
{
    return s.rfind(prefix, 0) == 0;
}
}

ReplyKind Classify(const std::string &line)
{
    if (StartsWith(line, "*MSG"))
        return ReplyKind::Message;
    if (StartsWith(line, "*AUTH"))
        return ReplyKind::Authorised;
    if (StartsWith(line, "*END"))
        return ReplyKind::End;
    if (StartsWith(line, "*TXT"))
        return ReplyKind::Text;
    if (StartsWith(line, "*ERR"))
        return ReplyKind::Error;
    if (StartsWith(line, "*GETMSG"))
        return ReplyKind::RequestedMessage;
    return ReplyKind::Other;
}

std::string RequestedToMessage(const std::string &line)
{
    return line.size() < 4 ? line.substr(0, 1) : line.substr(0, 1) + line.substr(4);
}

namespace {

// Takes the text before the first comma and removes it with the comma; no comma: "" and
// nothing removed.
std::string TakeField(std::string &rest)
{
    const auto p = rest.find(',');
    if (p == std::string::npos)
        return {};
    std::string field = rest.substr(0, p);
    rest.erase(0, p + 1);
    return field;
}

} // namespace

MessageFields SplitMessageLine(const std::string &line)
{
    std::string rest = line.size() > 5 ? line.substr(5) : std::string();
    MessageFields f;
    f.week = TakeField(rest);
    f.time = TakeField(rest);
    f.payload = rest;
    return f;
}

ErrorFields SplitErrorLine(const std::string &line)
{
    const auto first = line.find(',');
    std::string rest = first == std::string::npos ? line : line.substr(first + 1);
    ErrorFields f;
    f.code = TakeField(rest);
    f.message = rest;
    return f;
}

std::string SplitTextLine(const std::string &line)
{
    return line.size() > 5 ? line.substr(5) : std::string();
}
