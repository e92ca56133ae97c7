#include "codec/pardo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

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
        {"a long run of count zero lets the next one repeat the character before", "AAA", "AB/00/03"},
        {"a long run of short-run markers: each pair takes one character back", "A", "AB|/02"},
        {"a short run counted by a long run's first character", "AAAAA55", "A|5/03"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Expanded(c.packed), c.plain) << c.name;
}

TEST(Pardo, MarkerWithNothingToRepeatIsAnErrorAndLeavesDataAlone)
{
    for (const std::string bad : {"|4", "/10", "0|0|4", "|/05", "A|/05", "AB/00/00/01"}) {
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

// The expansion as first written: each token replaced in place, left to right, long runs
// first. Quadratic, but plainly right; the one-pass expansion must agree with it.
std::string ReferenceExpansion(std::string w)
{
    auto digit = [&](std::size_t pos) {
        if (pos >= w.size())
            return 0;
        const char c = w[pos];
        return c >= '1' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 0;
    };
    for (const auto &[marker, digits] : {std::pair{'/', 2}, std::pair{'|', 1}}) {
        std::size_t p;
        while ((p = w.find(marker)) != std::string::npos) {
            if (p == 0)
                throw PardoError("marker first");
            int n = 0;
            for (int d = 1; d <= digits; ++d)
                n = n * 16 + digit(p + d);
            const std::size_t end = std::min(w.size(), p + 1 + static_cast<std::size_t>(digits));
            w.replace(p - 1, end - (p - 1), std::string(n, w[p - 1]));
        }
    }
    return w;
}


// Expands as the token-by-token reference does, or fails as it does and keeps the text.
void ExpectExpandsAsReference(const std::string &text)
{
    std::string expected;
    bool fails = false;
    try {
        expected = ReferenceExpansion(text);
    } catch (const PardoError &) {
        fails = true;
    }
    TPARDO p;
    p.Data = text;
    if (fails) {
        EXPECT_THROW(p.Decompress(), PardoError) << text;
        EXPECT_EQ(p.Data, text);
    } else {
        ASSERT_NO_THROW(p.Decompress()) << text;
        EXPECT_EQ(p.Data, expected) << text;
    }
}

TEST(Pardo, OnePassExpansionAgreesWithTokenByTokenReplacement)
{
    // Texts over a small alphabet so that markers meet each other, digits and text ends.
    const char alphabet[] = "0A1F2|/|/a";
    unsigned seed = 99;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        seed = seed * 1103515245 + 12345;
        const int length = (seed >> 16) % 12;
        for (int k = 0; k < length; ++k) {
            seed = seed * 1103515245 + 12345;
            text += alphabet[(seed >> 16) % (sizeof alphabet - 1)];
        }
        ExpectExpandsAsReference(text);
    }
}

TEST(Pardo, MessageSizedTextsExpandAsTokenByTokenReplacement)
{
    // Texts of a message's size, which take the short path, and results around the size
    // that path holds (512 characters) in either stage, which may leave it half way.
    std::vector<std::string> texts = {
        "0/FF0/FF0/02",             // 255 + 255 + 2 = 512: fits exactly
        "0/FF0/FF0/03",             // 513: one too many after the long runs
        "0/FF0/FF0|2",              // 255 + 255 + 2 short = 512 after the short runs
        "0/FF0/FF0|3",              // 513 after the short runs
        "A/FFB/FFC|F|F",            // the second short token repeats the first's last character
        "|" + std::string(60, 'A'), // an error at the start of a long text
        std::string(60, 'A') + "/", // a marker cut off by the end: its count is 0
    };
    const char alphabet[] = "0123456789ABCDEF||//a";
    unsigned seed = 7;
    for (int i = 0; i < 5000; ++i) {
        std::string text;
        seed = seed * 1103515245 + 12345;
        const int length = 40 + static_cast<int>((seed >> 16) % 90);
        for (int k = 0; k < length; ++k) {
            seed = seed * 1103515245 + 12345;
            text += alphabet[(seed >> 16) % (sizeof alphabet - 1)];
        }
        texts.push_back(text);
    }
    for (const std::string &text : texts) {
        ExpectExpandsAsReference(text);
    }
}

TEST(Pardo, BoundedExpansionStopsOnlyWhenTheResultIsSurelyTooLong)
{
    struct Case {
        const char *name;
        std::string packed;
        std::size_t expectedLength; // of what the bounded expansion keeps
    };
    const Case cases[] = {
        {"short text is expanded whole", "0/10AB", 18},
        {"exactly the limit is expanded whole", "0/40", 64},
        {"a huge run stops just past the limit", std::string("0/FF") + std::string(4000, 'A'), 65},
        // Later markers may take characters back, so the stop waits for them.
        {"markers ahead may take characters back", std::string(66, 'A') + "B|0C|0D|0", 67},
    };
    for (const auto &c : cases) {
        TPARDO p;
        p.Data = c.packed;
        p.Decompress(64);
        EXPECT_EQ(p.Data.size(), c.expectedLength) << c.name;
        TPARDO whole;
        whole.Data = c.packed;
        whole.Decompress();
        EXPECT_EQ(whole.Data.size() > 64, p.Data.size() > 64) << c.name;
    }
}

TEST(Pardo, OneExpanderGivesEachTextWhatAFreshOneGives)
{
    // The expander keeps its buffers from one text to the next: nothing may carry over.
    const std::string texts[] = {"C60/18A5F|510", "0/FF" + std::string(80, 'A'), "A|4", "", "ACB|", "AB/00/03",
                                 "|4",            "5/10",                        "B|",  "7/2"};
    TPARDO reused;
    for (const std::string &text : texts) {
        TPARDO fresh;
        fresh.Data = text;
        bool freshFails = false;
        try {
            fresh.Decompress(67);
        } catch (const PardoError &) {
            freshFails = true;
        }
        reused.Data = text;
        if (freshFails) {
            EXPECT_THROW(reused.Decompress(67), PardoError) << text;
        } else {
            ASSERT_NO_THROW(reused.Decompress(67)) << text;
        }
        EXPECT_EQ(reused.Data, fresh.Data) << text;
    }
}

TEST(Pardo, ExpandingAMegabyteTakesOnePass)
{
    // A quadratic expansion needs minutes here; the test would time out.
    std::string packed;
    for (int i = 0; i < 250000; ++i)
        packed += "A|4";
    TPARDO p;
    p.Data = packed;
    p.Decompress();
    EXPECT_EQ(p.Data.size(), 1000000u);
}

} // namespace
