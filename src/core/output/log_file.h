#pragma once

#include <optional>
#include <string>

// The message log file, kept as a bare descriptor: every record goes to the operating system
// with its own write, so a crash of the application loses none, and an exclusive advisory lock
// keeps a second writer from interleaving its records with ours.

// Opens `path` for appending, emptied first when `overwrite` is set; creates it when missing.
// Returns -1 when the file cannot be opened without waiting, is not a regular file, or another
// process holds its lock; in that case an existing file is left untouched.
int OpenMessageLog(const std::string &path, bool overwrite);

// Writes one record whole or not at all. Returns why it could not (a full disk, a file the
// system will not let grow, a log file removed with its folder); a piece of the record that
// reached the file is cut off again, so the file always ends on a whole record.
std::optional<std::string> WriteMessageLog(int fd, const std::string &record);

// The reason given for a failed write with the system's error number.
std::string LogWriteFailure(int err);

// Closes the descriptor (and so releases the lock); -1 is ignored.
void CloseMessageLog(int fd);
