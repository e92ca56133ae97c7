#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Files that the user names (the message log, userapp.cfg, the log window's roll-over files)
// are opened so that the open itself cannot block: a FIFO nobody reads or writes, or a
// device, would otherwise freeze the whole window. Anything that is not a regular file is
// refused.

// Opens `path` with the open(2) flags given (O_RDONLY or O_WRONLY, with O_CREAT, O_APPEND or
// O_TRUNC as wanted; new files get mode 0644). Returns the descriptor in blocking mode, or -1
// with `error` saying why.
int OpenRegularFile(const std::string &path, int flags, std::string &error);

// The whole content of a regular file of at most `maxBytes`; a larger file is refused from its
// size, before any of it is read.
std::optional<std::string> ReadRegularFile(const std::string &path, std::size_t maxBytes, std::string &error);

// Replaces the content of a regular file (created when missing) with `bytes`.
bool WriteRegularFile(const std::string &path, const std::string &bytes, std::string &error);
