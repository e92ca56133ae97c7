#include "link/reply_line.h"

void LineFramer::Append(const std::string &received)
{
    text_.erase(0, start_);
    start_ = 0;
    text_ += received;
}

void LineFramer::Clear()
{
    text_.clear();
    start_ = 0;
}

ExtractedLine LineFramer::Next()
{
    ExtractedLine out;
    const auto p = text_.find('\n', start_);
    if (p == std::string::npos) {
        if (text_.size() - start_ > kMaxPendingText) {
            Clear();
            out.dropped = true;
        }
        return out;
    }
    std::size_t length = p - start_;
    if (length > 0 && text_[p - 1] == '\r')
        --length;
    if (length > kMaxPendingText)
        out.dropped = true;
    else
        out.line.assign(text_, start_, length);
    start_ = p + 1;
    out.more = HasLine();
    return out;
}

ExtractedLine ExtractLine(std::string &pending, const std::string &received)
{
    LineFramer framer;
    framer.Append(pending + received);
    ExtractedLine out = framer.Next();
    pending = framer.Rest();
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
