#include "output/log_file.h"

#include "files/regular_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

int OpenMessageLog(const std::string &path, bool overwrite)
{
    // No O_TRUNC here: the file is emptied only once we hold its lock, so a log another
    // process is writing is never wiped by a failed attempt to take it over.
    std::string error;
    const int fd = OpenRegularFile(path, O_WRONLY | O_CREAT | O_APPEND, error);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || (overwrite && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string LogWriteFailure(int err)
{
    const std::string system = std::string(" (") + std::strerror(err) + ")";
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return "the disk is full" + system;
    case EFBIG:
        return "the log file has reached the largest size allowed" + system;
    default:
        return "the log file could not be written" + system;
    }
}

std::optional<std::string> WriteMessageLog(int fd, const std::string &record)
{
    if (fd < 0)
        return "the log file is not open";
    // Records written to a file that has lost its last name (removed, or its folder removed)
    // would be lost on close without a word.
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return LogWriteFailure(errno);
    if (st.st_nlink == 0)
        return std::string("the log file or its folder was removed");

    std::size_t written = 0;
    while (written < record.size()) {
        const ssize_t n = ::write(fd, record.data() + written, record.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        // A short write is retried once more above; this one says why nothing more goes out.
        std::string why = LogWriteFailure(n < 0 ? errno : ENOSPC);
        // Whole records that reached the file stay; the piece of the one cut short goes. The
        // file is opened for appending and locked, so the piece is its last bytes.
        const std::size_t lineEnd = written > 0 ? record.rfind('\n', written - 1) : std::string::npos;
        const std::size_t piece = written - (lineEnd == std::string::npos ? 0 : lineEnd + 1);
        if (piece > 0) {
            struct stat now {};
            if (::fstat(fd, &now) != 0 || now.st_size < static_cast<off_t>(piece) ||
                ::ftruncate(fd, now.st_size - static_cast<off_t>(piece)) != 0)
                why += "; the file may end on part of a record";
        }
        return why;
    }
    return std::nullopt;
}

void CloseMessageLog(int fd)
{
    if (fd >= 0)
        ::close(fd);
}
