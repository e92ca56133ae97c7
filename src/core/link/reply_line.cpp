#include "link/reply_line.h"

const char *DroppedTextReport(DroppedText reason)
{
    switch (reason) {
    case DroppedText::OverLongLine: return "Received line exceeded 64 KiB and was dropped.";
    case DroppedText::Unterminated: return "Received text without a line end exceeded 64 KiB and was dropped.";
    case DroppedText::None: break;
    }
    return "";
}

// The unfinished line can no longer end within the cap: it holds more than the cap and a
// carriage return that may still be followed by its line feed.
bool LineFramer::TailTooLong() const
{
    const std::size_t length = text_.size() - tail_;
    return length > limits_.maxLine + 1 || (length == limits_.maxLine + 1 && text_.back() != '\r');
}

void LineFramer::MarkDropped(DroppedText reason)
{
    drops_.push_back({text_.size(), reason});
    ++waiting_;
}

void LineFramer::Append(std::string_view received)
{
    Compact();
    std::size_t i = 0;
    while (i < received.size()) {
        const std::size_t lf = received.find('\n', i);
        const std::size_t end = lf == std::string_view::npos ? received.size() : lf;
        const std::string_view piece = received.substr(i, end - i);
        if (skipping_) {
            skipped_ += piece.size();
        } else {
            // Only as much as tells whether the line is too long is kept.
            const std::size_t before = text_.size() - tail_;
            text_.append(piece.substr(0, limits_.maxLine + 2 - before));
            if (TailTooLong()) {
                skipped_ = before + piece.size();
                text_.resize(tail_);
                skipping_ = true;
            }
        }
        if (skipping_ && !reported_ && skipped_ >= limits_.unterminatedAfter) {
            MarkDropped(DroppedText::Unterminated);
            reported_ = true;
        }
        if (lf == std::string_view::npos)
            return;
        if (skipping_) {
            if (!reported_)
                MarkDropped(DroppedText::OverLongLine);
            skipping_ = reported_ = false;
            skipped_ = 0;
        } else {
            text_.push_back('\n');
            ++waiting_;
        }
        tail_ = text_.size();
        i = lf + 1;
    }
}

// Discards the taken text once it is at least as large as the text still waiting, so that each
// byte moved is paid for by a byte taken before.
void LineFramer::Compact()
{
    const std::size_t unread = text_.size() - start_;
    if (start_ == 0 || start_ < unread)
        return;
    text_.erase(0, start_);
    moved_ += unread;
    for (Drop &d : drops_)
        d.at -= start_;
    tail_ -= start_;
    start_ = 0;
}

ExtractedLine LineFramer::Next()
{
    ExtractedLine out;
    if (waiting_ == 0)
        return out;
    --waiting_;
    if (!drops_.empty() && drops_.front().at == start_) {
        out.dropped = drops_.front().reason;
        drops_.pop_front();
    } else {
        const std::size_t lf = text_.find('\n', start_);
        std::size_t length = lf - start_;
        if (length > 0 && text_[lf - 1] == '\r')
            --length;
        out.line.assign(text_, start_, length);
        start_ = lf + 1;
    }
    out.more = waiting_ > 0;
    return out;
}

void LineFramer::EndOfText()
{
    if (skipping_ && !reported_)
        MarkDropped(DroppedText::Unterminated);
    skipping_ = reported_ = false;
    skipped_ = 0;
    text_.resize(tail_);
}

void LineFramer::Clear()
{
    text_.clear();
    start_ = tail_ = 0;
    drops_.clear();
    waiting_ = 0;
    skipping_ = reported_ = false;
    skipped_ = 0;
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
