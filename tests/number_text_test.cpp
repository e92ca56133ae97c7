#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(NumberText, DoublesInShortestGeneralForm)
{
    struct Case {
        double value;
        const char *text;
    } cases[] = {{0.75, "0.75"},   {-1.375, "-1.375"},     {12, "12"},         {255.875, "255.875"},
                 {0, "0"},         {-42949672.96, "-42949672.96"}, {0.00045, "0.00045"}, {10000, "10000"},
                 {0.1 + 0.2, "0.30000000000000004"}, {-256, "-256"}};
    for (const auto &c : cases)
        EXPECT_EQ(FloatText(c.value), c.text) << c.value;
}

TEST(NumberText, SinglesInTheShortestTextThatReadsBack)
{
    struct Case {
        float value;
        const char *text;
    } cases[] = {{0.002f, "0.002"}, {2.046f, "2.046"}, {12.7f, "12.7"}, {511.0f, "511"}, {-2.0f, "-2"},
                 // Whole numbers and small factors in plain decimals, never "1E+01" or "5E-05".
                 {10.0f, "10"},     {20.0f, "20"},     {100.0f, "100"}, {120.0f, "120"}, {300.0f, "300"},
                 {0.00005f, "0.00005"}, {0.000001f, "0.000001"}};
    for (const auto &c : cases)
        EXPECT_EQ(FloatText(c.value), c.text) << c.value;
}

TEST(NumberText, ExponentFormOnlyOutsideTheMillionthToTheQuadrillion)
{
    struct Case {
        double value;
        const char *text;
    } cases[] = {{std::ldexp(1.0, -31), "4.656612873077393E-10"},
                 {1e-7, "1E-7"},
                 {-2.5e-9, "-2.5E-9"},
                 {1e15, "1E15"},
                 {123456789012345.0, "123456789012345"},
                 {1.5e300, "1.5E300"}};
    for (const auto &c : cases)
        EXPECT_EQ(FloatText(c.value), c.text) << c.value;
    EXPECT_EQ(FloatText(1e-7f), "1E-7");
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
