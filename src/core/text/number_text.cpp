#include "text/number_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

template <typename T> std::string ShortestText(T value)
{
    if (value == 0)
        return "0";
    char buf[64];
    const T magnitude = std::fabs(value);
    const bool plain = magnitude >= T(1e-6) && magnitude < T(1e15);
    const auto r = std::to_chars(buf, buf + sizeof buf, value, plain ? std::chars_format::fixed : std::chars_format::scientific);
    std::string s(buf, r.ptr);
    if (plain)
        return s;
    // "1e-07" reads "1E-7", "1.5e+15" reads "1.5E15".
    const auto e = s.find('e');
    std::string exponent = s.substr(e + 1);
    const bool negative = exponent[0] == '-';
    exponent.erase(0, exponent.find_first_not_of("+-0"));
    return s.substr(0, e) + (negative ? "E-" : "E") + exponent;
}

} // namespace

std::string FloatText(double value)
{
    return ShortestText(value);
}

std::string FloatText(float value)
{
    return ShortestText(value);
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
