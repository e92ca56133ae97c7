#include "output/log_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

int OpenMessageLog(const std::string &path, bool overwrite)
{
    if (path.empty())
        return -1;
    // No O_TRUNC here: the file is emptied only once we hold its lock, so a log another
    // process is writing is never wiped by a failed attempt to take it over.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || (overwrite && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void WriteMessageLog(int fd, const std::string &bytes)
{
    if (fd < 0)
        return;
    const char *p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // a full disk or a lost device: the record is dropped, logging goes on
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

void CloseMessageLog(int fd)
{
    if (fd >= 0)
        ::close(fd);
}
