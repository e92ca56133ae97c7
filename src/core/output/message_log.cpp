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
    CloseMessageLog(fd_);
    fd_ = -1;
}

std::optional<std::string> MessageLog::Write(int prn, int type, const std::string &text, double week, double seconds)
{
    if (!TypeEnabled(type))
        return std::nullopt;
    auto failure = WriteMessageLog(fd_, FormatLogRecord(prn, type, week, seconds, text));
    if (failure) {
        active_ = false;
        Close();
    }
    return failure;
}
