#include "files/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string SystemError(int err)
{
    return std::strerror(err);
}

// Reads until `limit` bytes or the end; false on a read error.
bool ReadUpTo(int fd, std::size_t limit, std::string &into)
{
    char buffer[16384];
    while (into.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - into.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        into.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

int OpenRegularFile(const std::string &path, int flags, std::string &error)
{
    if (path.empty()) {
        error = "no file name";
        return -1;
    }
    // O_NONBLOCK makes opening a FIFO fail or return at once instead of waiting for the other
    // end; it is switched off again once the file is known to be a regular file.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) {
        // ENXIO: a FIFO with nobody at its other end, or a socket; neither is a file to write.
        error = errno == ENXIO ? "not a regular file" : SystemError(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "not a regular file";
        ::close(fd);
        return -1;
    }
    const int status = ::fcntl(fd, F_GETFL);
    if (status == -1 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == -1) {
        error = SystemError(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

std::optional<std::string> ReadRegularFile(const std::string &path, std::size_t maxBytes, std::string &error)
{
    const int fd = OpenRegularFile(path, O_RDONLY, error);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::string text;
    bool ok = ::fstat(fd, &st) == 0;
    if (!ok) {
        error = SystemError(errno);
    } else if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        error = "larger than " + std::to_string(maxBytes) + " bytes";
        ok = false;
    } else if (!ReadUpTo(fd, maxBytes + 1, text)) {
        error = SystemError(errno);
        ok = false;
    } else if (text.size() > maxBytes) { // grew while we read it
        error = "larger than " + std::to_string(maxBytes) + " bytes";
        ok = false;
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return text;
}

bool WriteRegularFile(const std::string &path, const std::string &bytes, std::string &error)
{
    const int fd = OpenRegularFile(path, O_WRONLY | O_CREAT | O_TRUNC, error);
    if (fd < 0)
        return false;
    const char *p = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? SystemError(errno) : "nothing could be written";
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0 && ok) {
        error = SystemError(errno);
        ok = false;
    }
    return ok;
}
