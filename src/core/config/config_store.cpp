#include "config/config_store.h"

#include "files/regular_file.h"

#include <algorithm>
#include <cctype>

namespace {

bool EqualNoCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// A line ends at CR, at LF or at a CR LF pair; a final line break adds no empty line.
std::vector<std::string> SplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

std::ptrdiff_t Find(const std::vector<std::string> &lines, const std::string &key)
{
    const auto it = std::find_if(lines.begin(), lines.end(), [&](const std::string &l) { return EqualNoCase(l, key); });
    return it == lines.end() ? -1 : it - lines.begin();
}

void Report(const std::function<void()> &onError, const std::string &why)
{
    if (onError)
        onError();
    else
        throw ConfigError(why);
}

} // namespace

void TConfigReading::Fail(const std::string &why) const
{
    Report(onError_, why);
}

std::string TConfigReading::ReadField(const std::string &key) const
{
    if (!lines_) {
        Fail("Cannot read " + fileName_ + ": " + readError_);
        return {};
    }
    const std::vector<std::string> &lines = *lines_;
    const auto at = Find(lines, key);
    if (at < 0) {
        Fail("Key " + key + " not found in " + fileName_);
        return {};
    }
    if (at + 1 >= static_cast<std::ptrdiff_t>(lines.size())) {
        Fail("Key " + key + " has no value in " + fileName_);
        return {};
    }
    return lines[static_cast<std::size_t>(at + 1)];
}

TConfigReading TConfigStore::Read() const
{
    TConfigReading reading;
    reading.fileName_ = FileName;
    reading.onError_ = OnError;
    if (const auto text = ReadRegularFile(FileName, kMaxFileBytes, reading.readError_))
        reading.lines_ = SplitLines(*text);
    return reading;
}

std::string TConfigStore::ReadField(const std::string &key) const
{
    return Read().ReadField(key);
}

void TConfigStore::Fail(const std::string &why) const
{
    Report(OnError, why);
}

void TConfigStore::AddField(const std::string &key, const std::string &value)
{
    if (key.empty())
        return;
    // A file that cannot be read (most often: not written yet) starts empty.
    std::string error;
    const auto text = ReadRegularFile(FileName, kMaxFileBytes, error);
    std::vector<std::string> lines = text ? SplitLines(*text) : std::vector<std::string>{};
    const auto at = Find(lines, key);
    if (at >= 0)
        lines.erase(lines.begin() + at, lines.begin() + std::min<std::ptrdiff_t>(at + 2, lines.size()));
    lines.push_back(key);
    lines.push_back(value);
    std::string out;
    for (const auto &line : lines)
        out += line + "\r\n";
    if (!WriteRegularFile(FileName, out, error))
        Fail("Cannot write " + FileName + ": " + error);
}
