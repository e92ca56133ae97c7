#include "codec/pardo.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// Count digits are upper-case hex; anything else (lower case included) counts 0.
int DigitValue(char c)
{
    if (c >= '1' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

// Expands every token with the given marker in one left-to-right pass. A token repeats the
// character written just before its marker, which may itself come from the previous token's
// run; a marker with nothing before it is an error. A count cut off by the end of the text
// reads its missing digits as 0. `remainingMarkers` counts markers not yet met: each can take
// back at most one character, which bounds the final length from below for the early stop.
std::string ExpandTokens(const std::string &in, char marker, int digits, std::size_t limit)
{
    std::size_t remainingMarkers = 0;
    for (char c : in)
        remainingMarkers += c == marker;
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != marker) {
            out += in[i];
        } else {
            if (out.empty())
                throw PardoError("run marker without a character to repeat");
            --remainingMarkers;
            int n = 0;
            for (int d = 1; d <= digits; ++d) {
                const bool present = i + 1 < in.size();
                n = n * 16 + (present ? DigitValue(in[i + 1]) : 0);
                if (present) {
                    remainingMarkers -= in[i + 1] == marker; // consumed as a digit
                    ++i;
                }
            }
            const char c = out.back();
            out.pop_back();
            out.append(static_cast<std::size_t>(n), c);
        }
        if (out.size() > limit + remainingMarkers)
            break; // whatever follows, the result stays longer than the limit
    }
    return out;
}

} // namespace

std::string TPARDO::Encode(char c, int count)
{
    if (count <= 0)
        return {};
    if (count <= 3)
        return std::string(count, c);
    if (count <= 15)
        return std::string{c, '|', kHexDigits[count]};
    std::string out;
    // Longer runs than the two-digit form holds are split into several tokens.
    while (count > 255) {
        out += std::string{c, '/', 'F', 'F'};
        count -= 255;
    }
    return out + (count >= 16 ? std::string{c, '/', kHexDigits[count / 16], kHexDigits[count % 16]}
                              : Encode(c, count));
}

void TPARDO::Compress()
{
    std::string result;
    std::size_t i = 0;
    while (i < Data.size()) {
        std::size_t j = i;
        while (j < Data.size() && Data[j] == Data[i])
            ++j;
        result += Encode(Data[i], static_cast<int>(j - i));
        i = j;
    }
    Data = result;
}

void TPARDO::Decompress()
{
    Decompress(std::string::npos / 2);
}

void TPARDO::Decompress(std::size_t limit)
{
    // Long runs first, then short ones: a long run may repeat a short-run marker.
    std::string w = ExpandTokens(Data, '/', 2, std::string::npos / 2);
    Data = ExpandTokens(w, '|', 1, limit);
}
