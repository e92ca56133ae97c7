#pragma once

#include "watch/event_log.h"

#include <cstdint>
#include <string>

// The events written to a text file as they are logged, one line each (EventLine), appended.
// The file is opened and written as the message log is: an open that cannot block, a lock
// against a second writer, and whole lines only.
class EventFile {
public:
    EventFile() = default;
    EventFile(const EventFile &) = delete;
    EventFile &operator=(const EventFile &) = delete;
    ~EventFile() { Close(); }

    // Opens `path` for appending; false with `error` saying why not.
    bool Open(const std::string &path, std::string &error);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // Writes the events of `log` not written before (those still kept), in one write. False
    // with `error` when the write fails; the file is then closed.
    bool WriteNew(const EventLog &log, std::string &error);

private:
    int fd_ = -1;
    uint64_t next_ = 0; // the sequence of the first event not written yet
};

// Where the events go: beside the message log, named after it ("day.klt" gives
// "day-events.txt"); "signal-events.txt" in the working directory while no log is named.
std::string EventFilePath(const std::string &messageLogPath);
