#include "text/number_text.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberText, DoublesInShortestGeneralForm)
{
    struct Case {
        double value;
        const char *text;
    } cases[] = {{0.75, "0.75"},   {-1.375, "-1.375"},     {12, "12"},         {255.875, "255.875"},
                 {0, "0"},         {-42949672.96, "-42949672.96"}, {0.00045, "0.00045"}, {10000, "10000"},
                 {0.1 + 0.2, "0.3"}, {-256, "-256"}};
    for (const auto &c : cases)
        EXPECT_EQ(FloatText(c.value), c.text) << c.value;
}

TEST(NumberText, SinglesInTheShortestTextThatReadsBack)
{
    EXPECT_EQ(FloatText(0.002f), "0.002");
    EXPECT_EQ(FloatText(2.046f), "2.046");
    EXPECT_EQ(FloatText(12.7f), "12.7");
    EXPECT_EQ(FloatText(511.0f), "511");
    EXPECT_EQ(FloatText(-2.0f), "-2");
}

TEST(NumberText, IntegersAreDigitsWithAnOptionalSign)
{
    EXPECT_EQ(ParseInt32("7777"), 7777);
    EXPECT_EQ(ParseInt32("-5"), -5);
    EXPECT_EQ(ParseInt32("+30"), 30);
    for (const char *bad : {"", "-", "12a", " 12", "1.5", "2147483648", "0x10"})
        EXPECT_FALSE(ParseInt32(bad).has_value()) << bad;
}

TEST(NumberText, DecimalsAsTheServerSendsThem)
{
    EXPECT_EQ(ParseDouble("2287"), 2287.0);
    EXPECT_EQ(ParseDouble("518400.5"), 518400.5);
    for (const char *bad : {"", "abc", "1,5", " 1", "inf", "nan", "0x10", "12 "})
        EXPECT_FALSE(ParseDouble(bad).has_value()) << bad;
}

} // namespace
