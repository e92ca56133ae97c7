#pragma once

#include <array>
#include <optional>
#include <string>

// The message log as the user sets it up in the logging window: the file, whether an existing
// file is emptied or appended to, which message types are recorded, and whether logging runs.
// The intake hands it one record per accepted message while it runs.
class MessageLog final {
public:
    static constexpr int kTypes = 64; // message types 0 to 63, each with its own switch

    MessageLog() = default;
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    void SetFileName(const std::string &name) { fileName_ = name; }
    const std::string &FileName() const { return fileName_; }
    void SetOverwrite(bool on) { overwrite_ = on; }
    bool Overwrite() const { return overwrite_; }
    void SetActive(bool on) { active_ = on; }
    bool Active() const { return active_; }
    // A type outside 0 to 63 has no switch: setting it changes nothing, and it is never recorded.
    void SetTypeEnabled(int type, bool on);
    void SetAllTypes(bool on) { typeEnabled_.fill(on); }
    bool TypeEnabled(int type) const;

    // Opens the file named by FileName (closing one still open first): emptied when Overwrite is
    // set, appended to otherwise, created when missing. False when it cannot be opened.
    bool Open();
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Writes the record of one message, when its type is switched on, through to the system
    // before returning, or while held, with the others at the release. Records that cannot be
    // written whole stop the log (it is no longer active and the file is closed) and the reason
    // is returned: a log with a gap the user is not told of would pass for a complete one.
    std::optional<std::string> Write(int prn, int type, const std::string &text, double week, double seconds);
    // Between Hold and Release the records are gathered and then written together: a batch of
    // lines taken in one turn of the event loop costs one system call, not one a message. At
    // the live rate a batch is a single message, so each record still reaches the system as
    // soon as its message has been handled. Release returns what Write would have.
    void Hold() { held_ = true; }
    std::optional<std::string> Release();

private:
    std::optional<std::string> Flush();

    std::string fileName_;
    bool overwrite_ = false;
    bool active_ = false;
    std::array<bool, kTypes> typeEnabled_{};
    int fd_ = -1;
    bool held_ = false;
    std::string pending_; // records held back, whole
};
