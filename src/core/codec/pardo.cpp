#include "codec/pardo.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// Count digits are upper-case hex; anything else (lower case included) counts 0.
int DigitValue(const std::string &w, std::size_t pos)
{
    if (pos >= w.size())
        return 0;
    const char c = w[pos];
    if (c >= '1' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

// Expands every token with the given marker; the count has `digits` digits.
void ExpandTokens(std::string &w, char marker, int digits)
{
    std::size_t p;
    while ((p = w.find(marker)) != std::string::npos) {
        if (p == 0)
            throw PardoError("run marker without a character to repeat");
        int n = 0;
        for (int d = 1; d <= digits; ++d)
            n = n * 16 + DigitValue(w, p + d);
        const char c = w[p - 1];
        const std::size_t tokenEnd = std::min(w.size(), p + 1 + digits);
        w.replace(p - 1, tokenEnd - (p - 1), std::string(n, c));
    }
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
    std::string w = Data;
    ExpandTokens(w, '/', 2);
    ExpandTokens(w, '|', 1);
    Data = w;
}
