#include "config/config_store.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

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

} // namespace

bool TConfigStore::Load()
{
    lines_.clear();
    std::ifstream in(FileName, std::ios::binary);
    if (!in)
        return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    lines_ = SplitLines(text);
    return true;
}

bool TConfigStore::Save() const
{
    std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
    for (const auto &line : lines_)
        out << line << "\r\n";
    out.flush();
    return static_cast<bool>(out);
}

std::ptrdiff_t TConfigStore::Find(const std::string &key) const
{
    const auto it = std::find_if(lines_.begin(), lines_.end(), [&](const std::string &l) { return EqualNoCase(l, key); });
    return it == lines_.end() ? -1 : it - lines_.begin();
}

void TConfigStore::Fail(const std::string &why)
{
    if (OnError)
        OnError();
    else
        throw ConfigError(why);
}

void TConfigStore::AddField(const std::string &key, const std::string &value)
{
    if (key.empty())
        return;
    Load(); // a missing file simply starts empty
    const auto at = Find(key);
    if (at >= 0)
        lines_.erase(lines_.begin() + at, lines_.begin() + std::min<std::ptrdiff_t>(at + 2, lines_.size()));
    lines_.push_back(key);
    lines_.push_back(value);
    if (!Save())
        Fail("Cannot write " + FileName);
}

std::string TConfigStore::ReadField(const std::string &key)
{
    if (!Load()) {
        Fail("Cannot read " + FileName);
        return {};
    }
    const auto at = Find(key);
    if (at < 0) {
        Fail("Key " + key + " not found in " + FileName);
        return {};
    }
    if (at + 1 >= static_cast<std::ptrdiff_t>(lines_.size())) {
        Fail("Key " + key + " has no value in " + FileName);
        return {};
    }
    return lines_[at + 1];
}
