#include "output/message_log.h"

#include "output/log_file.h"
#include "output/log_record.h"

MessageLog::~MessageLog()
{
    Close();
}

void MessageLog::SetTypeEnabled(int type, bool on)
{
    if (type >= 0 && type < kTypes)
        typeEnabled_[static_cast<std::size_t>(type)] = on;
}

bool MessageLog::TypeEnabled(int type) const
{
    return type >= 0 && type < kTypes && typeEnabled_[static_cast<std::size_t>(type)];
}

bool MessageLog::Open()
{
    Close(); // a second start must not leak the first descriptor
    fd_ = OpenMessageLog(fileName_, overwrite_);
    return fd_ >= 0;
}

void MessageLog::Close()
{
    // Records taken before the log stopped still belong in it; a failure now has no one to
    // tell but leaves the file on a whole record.
    if (fd_ >= 0 && !pending_.empty())
        WriteMessageLog(fd_, pending_);
    pending_.clear();
    CloseMessageLog(fd_);
    fd_ = -1;
}

std::optional<std::string> MessageLog::Write(int prn, int type, const std::string &text, double week, double seconds)
{
    if (!TypeEnabled(type))
        return std::nullopt;
    pending_ += FormatLogRecord(prn, type, week, seconds, text);
    return held_ ? std::nullopt : Flush();
}

std::optional<std::string> MessageLog::Release()
{
    held_ = false;
    return Flush();
}

std::optional<std::string> MessageLog::Flush()
{
    if (pending_.empty())
        return std::nullopt;
    auto failure = WriteMessageLog(fd_, pending_);
    pending_.clear();
    if (failure) {
        active_ = false;
        Close();
    }
    return failure;
}
