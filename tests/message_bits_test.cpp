// The byte reader against the text reader it replaced, kept here unchanged as the reference:
// every frame of the recordings, the awkward texts and a few thousand random ones must read the
// same, field for field, including the values the lenient rules give to bad texts.
#include "mops/aux_functions.h"
#include "mops/message_bits.h"
#include "mops/mops_msg.h"
#include "output/log_record.h"
#include "support/real_recordings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace reference {

int NibbleOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

int32_t BitField(const std::string &text, int start, int width)
{
    if (text.empty())
        return -1;
    if (width > 32)
        width = 32;
    if (start < 1)
        start = 1;
    const int64_t totalBits = static_cast<int64_t>(text.size()) * 4;
    uint32_t value = 0;
    for (int64_t bit = start; bit < static_cast<int64_t>(start) + width && bit <= totalBits; ++bit) {
        const int nibble = NibbleOf(text[static_cast<std::size_t>((bit - 1) / 4)]);
        value = (value << 1) | static_cast<uint32_t>((nibble >> (3 - (bit - 1) % 4)) & 1);
    }
    return static_cast<int32_t>(value);
}

FastCorrections FastCorrectionVector(const std::string &text)
{
    FastCorrections prc{};
    for (int i = 0; i < 13; ++i)
        prc[i] = FixedPointValue(static_cast<uint32_t>(BitField(text, 19 + 12 * i, 12)), 9, 3);
    return prc;
}

UDREIVectors UDREIVector(const std::string &text)
{
    if (text.size() < 57)
        throw std::invalid_argument("message too short for its UDRE indicators: " + text);
    UDREIVectors v;
    for (std::size_t i = 0; i < 13; ++i) {
        const std::string pair = text.substr(43 + i, 2);
        std::size_t used = 0;
        int byte = 0;
        try {
            byte = std::stoi(pair, &used, 16);
        } catch (const std::exception &) {
            used = 0;
        }
        if (used != 2 || pair[0] == '-' || pair[0] == '+' || pair[0] == ' ')
            throw std::invalid_argument("'" + pair + "' is not a valid integer value");
        const int udrei = (byte & 0x3C) >> 2;
        v.udrei[i] = udrei;
        v.udre[i] = kUDRE[udrei];
        v.variance[i] = kVarUDRE[udrei];
    }
    return v;
}

} // namespace reference

namespace {

std::string Printable(const std::string &text)
{
    std::string out;
    for (char c : text)
        out += (c >= 0x20 && c < 0x7F) ? std::string(1, c) : "\\x" + std::to_string(static_cast<unsigned char>(c));
    return "\"" + out + "\"";
}

// What a reader gives: a value, or the text of what it threw.
template <typename F>
std::string Outcome(F read)
{
    try {
        const auto v = read();
        std::string s;
        for (double d : v)
            s += std::to_string(d) + " ";
        return s;
    } catch (const std::exception &e) {
        return std::string("threw ") + e.what();
    }
}

std::string UDREIOutcome(const UDREIVectors &v)
{
    std::string s;
    for (std::size_t i = 0; i < 13; ++i)
        s += std::to_string(v.udrei[i]) + "/" + std::to_string(v.udre[i]) + "/" + std::to_string(v.variance[i]) + " ";
    return s;
}

template <typename F>
std::string UDREI(F read)
{
    try {
        return UDREIOutcome(read());
    } catch (const std::exception &e) {
        return std::string("threw ") + e.what();
    }
}

// Compares every reader on `text` for the given fields; `bits` is reused on purpose, so that
// bytes left over from a longer text would show.
void ExpectSameAsReference(const std::string &text, MessageBits &bits, const std::vector<std::pair<int, int>> &fields)
{
    bits.Assign(text);
    for (const auto &[start, width] : fields) {
        const int32_t expected = reference::BitField(text, start, width);
        ASSERT_EQ(BitField(text, start, width), expected) << Printable(text) << " start " << start << " width " << width;
        ASSERT_EQ(bits.Read(start, width), expected) << Printable(text) << " start " << start << " width " << width;
    }
    ASSERT_EQ(Outcome([&] { return FastCorrectionVector(text); }),
              Outcome([&] { return reference::FastCorrectionVector(text); }))
        << Printable(text);
    ASSERT_EQ(UDREI([&] { return UDREIVector(text); }), UDREI([&] { return reference::UDREIVector(text); }))
        << Printable(text);
}

// Every start and width a text can be asked for, and a little beyond on each side.
std::vector<std::pair<int, int>> AllFields(std::size_t digits)
{
    std::vector<std::pair<int, int>> fields;
    for (int start = -1; start <= static_cast<int>(digits) * 4 + 2; ++start)
        for (int width = -1; width <= 34; ++width)
            fields.emplace_back(start, width);
    return fields;
}

// The widths the decoders use, from every bit of a full message.
std::vector<std::pair<int, int>> FrameFields()
{
    std::vector<std::pair<int, int>> fields;
    for (int start = 1; start <= 257; ++start)
        for (int width : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 22, 24, 30, 32})
            fields.emplace_back(start, width);
    return fields;
}

std::vector<std::string> FramesOf(const std::string &path)
{
    std::vector<std::string> frames;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (const auto r = ParseLogRecord(line))
            frames.push_back(r->hex);
    return frames;
}

void ExpectFramesReadAsBefore(const std::string &path)
{
    const auto frames = FramesOf(path);
    ASSERT_GT(frames.size(), 3000u) << path;
    const auto fields = FrameFields();
    MessageBits bits;
    TMOPSMsg message;
    for (const auto &frame : frames) {
        ExpectSameAsReference(frame, bits, fields);
        message.SetMessage(frame);
        for (int start = 1; start <= 250; start += 7)
            ASSERT_EQ(message.BitField(start, 13), reference::BitField(frame, start, 13)) << frame;
    }
}

TEST(MessageBits, ReadsEveryDemoFrameAsTheTextReaderDid)
{
    ExpectFramesReadAsBefore(VELMAR_DEMO_RECORDING);
}

TEST(MessageBits, ReadsEveryRealRecordingFrameAsTheTextReaderDid)
{
    const std::string dir = RealRecordingsDir();
    int found = 0;
    for (const char *name : {"recording-a.txt", "recording-b.txt", "recording-c.txt"}) {
        if (!std::ifstream(dir + "/" + name))
            continue;
        ++found;
        ExpectFramesReadAsBefore(dir + "/" + name);
    }
    if (found == 0)
        GTEST_SKIP() << NoRealRecordings(dir);
}

TEST(MessageBits, ReadsAwkwardTextsAsTheTextReaderDid)
{
    const std::string full = "9A08800818814804FDEBD1BF6411C1780EBE67D03ECCD159CD159CD17A7C5180";
    std::string tabbed = full;
    tabbed[45] = '\t';
    std::string blank = full;
    blank[45] = ' ';
    std::string signed_ = full;
    signed_[47] = '-';
    std::string nul = full;
    nul[50] = '\0';
    std::string hexPrefix = full;
    hexPrefix[48] = '0';
    hexPrefix[49] = 'x';
    const std::vector<std::string> texts = {
        "",                          // empty: every field reads -1
        "9",                         // one digit
        "9A0",                       // odd number of digits
        full.substr(0, 56),          // one digit short of the indicators
        full.substr(0, 57),          // just long enough
        full.substr(0, 63),          // a digit short of a message
        full,
        full + "F",                  // a digit past a message
        full + full,                 // two messages' worth: read past the bytes from the text
        "9a08800818814804fdebd1bf6411c1780ebe67d03eccd159cd159cd17a7c5180", // lower case
        "GHIJKLMNOPQRSTUVWXYZ",      // not hex at all
        tabbed, blank, signed_, nul, hexPrefix,
        "C60DFFFC001FFDFFC001FFDFFDFFFFFC000001FFDFF\n3BA7BBAA63B8A46C200",
        "C60DFFFC001FFDFFC001FFDFFDFFFFFC000001FFDFF\r\n3BA7BBAA63B8A46C200",
    };
    MessageBits bits;
    for (const auto &text : texts)
        ExpectSameAsReference(text, bits, AllFields(text.size()));
}

TEST(MessageBits, ReadsRandomTextsAsTheTextReaderDid)
{
    // Mostly upper-case hex, with the characters the lenient rules treat specially mixed in.
    const std::string upper = "0123456789ABCDEF";
    const std::string odd = std::string("abcdefxXgG+- \t\n\v\f\r\x7F\xFF") + '\0';
    std::mt19937 random(20260);
    MessageBits bits;
    for (int n = 0; n < 4000; ++n) {
        const std::size_t digits = n % 5 == 0 ? random() % 80 : 64;
        const unsigned oddness = random() % 4; // 0: clean, higher: more odd characters
        std::string text;
        for (std::size_t i = 0; i < digits; ++i)
            text += random() % 16 < oddness ? odd[random() % odd.size()] : upper[random() % upper.size()];
        std::vector<std::pair<int, int>> fields;
        for (int k = 0; k < 300; ++k)
            fields.emplace_back(static_cast<int>(random() % (digits * 4 + 8)) - 3, static_cast<int>(random() % 38) - 2);
        ExpectSameAsReference(text, bits, fields);
    }
}

TEST(MessageBits, MessageKeepsItsBitsWhenGivenAnEmptyText)
{
    TMOPSMsg m;
    EXPECT_EQ(m.BitField(1, 8), -1);
    m.SetMessage("9A08");
    m.SetMessage("");
    EXPECT_EQ(m.BitField(1, 16), 0x9A08);
    EXPECT_EQ(m.BitField(9, 12), 0x08); // cut short by the end: only the bits before it
}

} // namespace
