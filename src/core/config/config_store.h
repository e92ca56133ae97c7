#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class ConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Named text values kept as pairs of lines (key, then value) in a small text file.
// Every operation reloads the file, so two stores on one file see each other's writes.
class TConfigStore final {
public:
    std::string FileName;
    // When set, failures are reported here instead of being thrown as ConfigError.
    std::function<void()> OnError;

    // Stores value under key (the old pair is removed, the new one appended); empty keys are ignored.
    void AddField(const std::string &key, const std::string &value);
    // The line after the first line equal to key (any letter case), key or value line alike.
    std::string ReadField(const std::string &key);

private:
    bool Load();
    bool Save() const;
    std::ptrdiff_t Find(const std::string &key) const;
    void Fail(const std::string &why);

    std::vector<std::string> lines_;
};
