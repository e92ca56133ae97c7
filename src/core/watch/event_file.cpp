#include "watch/event_file.h"

#include "output/log_file.h"

#include <algorithm>
#include <filesystem>

bool EventFile::Open(const std::string &path, std::string &error)
{
    Close();
    fd_ = OpenMessageLog(path, false);
    if (fd_ < 0)
        error = "'" + path + "' could not be opened for writing (not a regular file, or in use by another program)";
    return fd_ >= 0;
}

void EventFile::Close()
{
    CloseMessageLog(fd_);
    fd_ = -1;
}

bool EventFile::WriteNew(const EventLog &log, std::string &error)
{
    if (fd_ < 0)
        return true;
    next_ = std::max(next_, log.Oldest());
    if (next_ >= log.Next())
        return true;
    std::string lines;
    for (auto it = log.Events().begin() + static_cast<long>(next_ - log.Oldest()); it != log.Events().end(); ++it)
        lines.append(EventLine(*it)).append(1, '\n');
    if (const auto failure = WriteMessageLog(fd_, lines)) {
        error = *failure;
        Close();
        return false;
    }
    next_ = log.Next();
    return true;
}

std::string EventFilePath(const std::string &messageLogPath)
{
    if (messageLogPath.empty())
        return "signal-events.txt";
    const std::filesystem::path log(messageLogPath);
    return (log.parent_path() / (log.stem().string() + "-events.txt")).string();
}
