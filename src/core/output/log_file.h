#pragma once

#include <optional>
#include <string>

// The message log file, kept as a bare descriptor: records go to the operating system with a
// write of their own, not through a buffer of the C library, and an exclusive advisory lock
// keeps a second writer from interleaving its records with ours.

// Opens `path` for appending, emptied first when `overwrite` is set; creates it when missing.
// Returns -1 when the file cannot be opened without waiting, is not a regular file, or another
// process holds its lock; in that case an existing file is left untouched.
int OpenMessageLog(const std::string &path, bool overwrite);

// Writes records, each ending in a line feed, whole or not at all. Returns why they could not all
// be written (a full disk, a file the system will not let grow, a log file removed with its
// folder); the records written before the failure stay, a piece of the one cut short is cut
// off again, so the file always ends on a whole record.
std::optional<std::string> WriteMessageLog(int fd, const std::string &record);

// The reason given for a failed write with the system's error number.
std::string LogWriteFailure(int err);

// Closes the descriptor (and so releases the lock); -1 is ignored.
void CloseMessageLog(int fd);
