#pragma once

#include <string>

// The message log file, kept as a bare descriptor: every record goes to the operating system
// with its own write, so a crash of the application loses none, and an exclusive advisory lock
// keeps a second writer from interleaving its records with ours.

// Opens `path` for appending, emptied first when `overwrite` is set; creates it when missing.
// Returns -1 when the file cannot be opened or another process holds its lock; in that case
// an existing file is left untouched.
int OpenMessageLog(const std::string &path, bool overwrite);

// Writes the bytes whole (retrying short writes); errors are not reported.
void WriteMessageLog(int fd, const std::string &bytes);

// Closes the descriptor (and so releases the lock); -1 is ignored.
void CloseMessageLog(int fd);
