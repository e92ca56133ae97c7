#include "codec/pardo.h"

#include <gtest/gtest.h>

namespace {

std::string Compressed(const std::string &plain)
{
    TPARDO p;
    p.Data = plain;
    p.Compress();
    return p.Data;
}

std::string Expanded(const std::string &packed)
{
    TPARDO p;
    p.Data = packed;
    p.Decompress();
    return p.Data;
}

struct RunCase {
    const char *name;
    std::string plain;
    std::string packed;
};

TEST(Pardo, RunsCompressToTheirTokenAndExpandBack)
{
    const RunCase cases[] = {
        {"empty", "", ""},
        {"run of 1", "A", "A"},
        {"run of 3", "AAA", "AAA"},
        {"run of 4", "AAAA", "A|4"},
        {"run of 15", std::string(15, '0'), "0|F"},
        {"run of 16", std::string(16, '0'), "0/10"},
        {"run of 255", std::string(255, 'F'), "F/FF"},
        {"mixed text", "C6" + std::string(24, '0') + "A5FFFFF10", "C60/18A5F|510"},
        {"no run above three", "C60AB11", "C60AB11"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Compressed(c.plain), c.packed) << c.name;
        EXPECT_EQ(Expanded(c.packed), c.plain) << c.name;
    }
}

TEST(Pardo, ExpansionReadsCountsAsTheServerWritesThem)
{
    const RunCase cases[] = {
        {"two-digit form with a leading zero", "00000", "0/05"},
        {"count zero removes the token", "", "0|0"},
        {"lower-case count reads as zero", "", "0|a"},
        {"one trailing digit of a long run counts sixteens", std::string(32, '7'), "7/2"},
        {"marker with no digit removes itself and its character", "AC", "ACB|"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Expanded(c.packed), c.plain) << c.name;
}

TEST(Pardo, MarkerWithNothingToRepeatIsAnErrorAndLeavesDataAlone)
{
    for (const std::string bad : {"|4", "/10", "0|0|4", "|/05"}) {
        TPARDO p;
        p.Data = bad;
        EXPECT_THROW(p.Decompress(), PardoError) << bad;
        EXPECT_EQ(p.Data, bad);
    }
}

TEST(Pardo, EveryHexTextSurvivesARoundTrip)
{
    std::string text;
    unsigned seed = 12345;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 1103515245 + 12345;
        const int runLength = 1 + (seed >> 16) % 40;
        text += std::string(runLength, "0123456789ABCDEF"[(seed >> 8) % 16]);
    }
    EXPECT_EQ(Expanded(Compressed(text)), text);
    // Runs longer than one token holds are split, not truncated.
    EXPECT_EQ(Expanded(Compressed(std::string(600, 'E'))), std::string(600, 'E'));
}

} // namespace
