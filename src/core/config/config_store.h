#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class ConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file as one reading found it: every lookup answers from that reading, and fails as the
// store's own lookup would (a file that could not be read fails every lookup).
class TConfigReading final {
public:
    // The line after the first line equal to key (any letter case), key or value line alike.
    std::string ReadField(const std::string &key) const;

private:
    friend class TConfigStore;
    void Fail(const std::string &why) const;

    std::string fileName_;
    std::function<void()> onError_;
    std::optional<std::vector<std::string>> lines_; // none when the file could not be read
    std::string readError_;
};

// Named text values kept as pairs of lines (key, then value) in a small text file.
// Every operation reloads the file, so two stores on one file see each other's writes.
class TConfigStore final {
public:
    // A configuration file is a few hundred bytes; a larger one than this is refused unread.
    static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

    std::string FileName;
    // When set, failures are reported here instead of being thrown as ConfigError.
    std::function<void()> OnError;

    // Stores value under key (the old pair is removed, the new one appended); empty keys are ignored.
    void AddField(const std::string &key, const std::string &value);
    // The line after the first line equal to key (any letter case), key or value line alike.
    std::string ReadField(const std::string &key) const;
    // Reads the file once, for a sequence of lookups that must see one state of it.
    TConfigReading Read() const;

private:
    void Fail(const std::string &why) const;
};
