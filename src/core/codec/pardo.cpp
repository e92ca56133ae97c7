#include "codec/pardo.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// Count digits are upper-case hex; anything else (lower case included) counts 0.
constexpr std::array<uint8_t, 256> kDigitValue = [] {
    std::array<uint8_t, 256> t{};
    for (int c = '1'; c <= '9'; ++c)
        t[c] = static_cast<uint8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        t[c] = static_cast<uint8_t>(c - 'A' + 10);
    return t;
}();

int DigitValue(char c)
{
    return kDigitValue[static_cast<unsigned char>(c)];
}

// One stage of the expansion from `in` into a buffer of `capacity` characters: the tokens of
// `marker`, each with `Digits` count digits. Gives the length written, or kNoFit where the
// text has an error or the result does not fit; the caller then takes the general path,
// which reports the error or expands any length.
constexpr std::size_t kNoFit = ~std::size_t{0};

template <int Digits>
std::size_t ExpandStage(const char *in, std::size_t size, char marker, char *out, std::size_t capacity)
{
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < size) {
        // Everything up to the next marker goes over as it is.
        const void *found = std::memchr(in + i, marker, size - i);
        const std::size_t plainEnd = found ? static_cast<std::size_t>(static_cast<const char *>(found) - in) : size;
        const std::size_t plain = plainEnd - i;
        if (plain > capacity - written)
            return kNoFit;
        std::memcpy(out + written, in + i, plain);
        written += plain;
        i = plainEnd;
        if (i == size)
            break;
        if (written == 0)
            return kNoFit; // nothing to repeat
        ++i;
        std::size_t n = 0;
        for (int d = 0; d < Digits; ++d) {
            n = n * 16 + (i < size ? kDigitValue[static_cast<unsigned char>(in[i])] : 0);
            i += i < size;
        }
        const char c = out[--written];
        if (n > capacity - written)
            return kNoFit;
        std::memset(out + written, c, n);
        written += n;
    }
    return written;
}

// Both stages for a text of message size, in buffers on the stack: no allocation, and the
// result is copied once into `out`, whose buffer stays from one message to the next.
bool ExpandSmall(const std::string &in, std::size_t limit, std::string &out)
{
    constexpr std::size_t kCapacity = 512;
    char longRuns[kCapacity];
    char result[kCapacity];
    const char *stageIn = in.data();
    std::size_t size = in.size();
    if (std::memchr(stageIn, '/', size)) {
        size = ExpandStage<2>(stageIn, size, '/', longRuns, kCapacity);
        if (size == kNoFit)
            return false;
        stageIn = longRuns;
    }
    size = ExpandStage<1>(stageIn, size, '|', result, kCapacity);
    if (size == kNoFit || size > limit)
        return false; // past the limit the general path decides what part is kept
    if (out.size() == size)
        std::memcpy(&out[0], result, size); // message after message the same length: no reallocation to check
    else
        out.assign(result, size);
    return true;
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

// The short-run stage of the expansion, fed with the text the long-run stage makes, one run
// of equal characters at a time, written straight into the result's buffer. A marker whose
// count digit is still to come waits in `awaitingDigit_`. Feed returns false where the text
// cannot be expanded.
class ShortRunStage {
public:
    explicit ShortRunStage(std::string &out) : out_(out) { out_.resize(std::max<std::size_t>(out_.capacity(), 96)); }

    bool Feed(char c, std::size_t count)
    {
        if (awaitingDigit_) {
            awaitingDigit_ = false;
            Repeat(DigitValue(c)); // a marker as digit counts 0 and is no marker
            --count;
        }
        if (c != '|') {
            Put(c, count);
            return true;
        }
        // Markers in a row: each one past the first of a pair is the other's digit (0).
        for (; count >= 2; count -= 2) {
            if (size_ == 0)
                return false;
            --size_;
        }
        if (count == 1) {
            if (size_ == 0)
                return false;
            awaitingDigit_ = true;
        }
        return true;
    }

    std::size_t Size() const { return size_; }

    void Finish()
    {
        if (awaitingDigit_)
            Repeat(0);
        awaitingDigit_ = false;
        out_.resize(size_);
    }

private:
    void Put(char c, std::size_t count)
    {
        if (size_ + count > out_.size())
            out_.resize(std::max(out_.size() * 2, size_ + count));
        if (count == 1)
            out_[size_] = c;
        else
            std::memset(&out_[size_], c, count);
        size_ += count;
    }

    void Repeat(int n)
    {
        --size_;
        Put(out_[size_], static_cast<std::size_t>(n));
    }

    std::string &out_;
    std::size_t size_ = 0;
    bool awaitingDigit_ = false;
};

// Both stages at once: the long-run tokens of `in` are expanded into runs that go straight on
// to the short-run stage. The run still open can be changed by the next long-run token, so it
// is passed on only once a different character starts. Gives up (false) on what it cannot
// settle in one pass: an error, a token that takes back a character already passed on, or a
// result past the limit; the caller then expands the text stage by stage.
bool ExpandInOnePass(const std::string &in, std::size_t limit, std::string &out)
{
    ShortRunStage shortRuns(out);
    char open = 0;
    std::size_t openCount = 0;
    const std::size_t size = in.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = in[i];
        if (c != '/') {
            if (c == open && openCount != 0) {
                ++openCount;
                continue;
            }
            if (openCount != 0 && (!shortRuns.Feed(open, openCount) || shortRuns.Size() > limit))
                return false;
            open = c;
            openCount = 1;
            continue;
        }
        if (openCount == 0)
            return false; // nothing to repeat, or only what already went on to the next stage
        int n = 0;
        for (int d = 0; d < 2; ++d) {
            const bool present = i + 1 < size;
            n = n * 16 + (present ? DigitValue(in[i + 1]) : 0);
            i += present;
        }
        openCount = openCount - 1 + static_cast<std::size_t>(n);
    }
    if (openCount != 0 && !shortRuns.Feed(open, openCount))
        return false;
    shortRuns.Finish();
    return out.size() <= limit;
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

void TPARDO::DecompressFrom(const std::string &payload, std::size_t limit)
{
    if (payload.size() <= kSmallText && ExpandSmall(payload, limit, Data))
        return;
    Data = payload;
    Decompress(limit);
}

void TPARDO::Decompress(std::size_t limit)
{
    if (Data.size() <= kSmallText && ExpandSmall(Data, limit, Data))
        return;
    if (ExpandInOnePass(Data, limit, scratch_)) {
        Data.swap(scratch_); // the old text's buffer takes the next result
        return;
    }
    // Long runs first, then short ones: a long run may repeat a short-run marker.
    std::string w = ExpandTokens(Data, '/', 2, std::string::npos / 2);
    Data = ExpandTokens(w, '|', 1, limit);
}
