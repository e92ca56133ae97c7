#include "text/number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Printed(const char *format, int precision, double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, precision, value);
    std::string s = buf;
    for (auto &c : s)
        if (c == 'e')
            c = 'E';
    return s;
}

} // namespace

std::string FloatText(double value)
{
    if (value == 0)
        return "0";
    return Printed("%.*g", 15, value);
}

std::string FloatText(float value)
{
    if (value == 0)
        return "0";
    for (int precision = 1; precision < 9; ++precision) {
        const std::string s = Printed("%.*g", precision, value);
        if (std::strtof(s.c_str(), nullptr) == value)
            return s;
    }
    return Printed("%.*g", 9, value);
}

std::optional<int32_t> ParseInt32(const std::string &text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    if (i == text.size())
        return std::nullopt;
    for (std::size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9')
            return std::nullopt;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(v);
}

std::optional<double> ParseDouble(const std::string &text)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())))
        return std::nullopt;
    char *end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    // Hexadecimal and textual forms (inf, nan, 0x1p3) are not numbers a user or the server types.
    for (const char c : text)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E'))
            return std::nullopt;
    return v;
}
