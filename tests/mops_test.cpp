#include "mops/aux_functions.h"
#include "mops/field.h"
#include "mops/mops_msg.h"
#include "mops/mt01.h"
#include "mops/mt18.h"

#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

TEST(BitField, ReadsFieldsByBitPositionAndWidth)
{
    struct Case {
        const char *name;
        std::string text;
        int start, width;
        int32_t expected;
    } cases[] = {
        {"whole first byte", "C6", 1, 8, 198},
        {"second digit", "C6", 5, 4, 6},
        {"field across a digit boundary", "C6", 3, 4, 1},
        {"start past the end", "C6", 9, 4, 0},
        {"field cut by the end of the text", "C6", 7, 6, 2},
        {"empty text", "", 1, 8, -1},
        {"lower-case digit reads as zeros", "c6", 1, 8, 6},
        {"start below one reads from bit one", "C6", 0, 4, 12},
        {"width above 32 reads 32 bits", "123456789A", 1, 40, 0x12345678},
        {"32-bit field keeps its top bit", "FFFFFFFE", 1, 32, -2},
        {"message type of a type 2 message", "5308DFFD", 9, 6, 2},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BitField(c.text, c.start, c.width), c.expected) << c.name;
}

TEST(TwosComplement, TopBitMakesTheValueNegative)
{
    EXPECT_EQ(TwosComplement(0x1FF, 9), -1);
    EXPECT_EQ(TwosComplement(0xFF, 9), 255);
    EXPECT_EQ(TwosComplement(4, 3), -4);
    EXPECT_EQ(TwosComplement(3, 3), 3);
    EXPECT_EQ(TwosComplement(0x20000000, 30), -536870912);
    EXPECT_EQ(TwosComplement(static_cast<uint32_t>(0x80000000u), 32), INT32_MIN);
}

TEST(FixedPointValue, ReadsSignedFixedPoint)
{
    EXPECT_DOUBLE_EQ(FixedPointValue(0x800, 9, 3), -256.0);
    EXPECT_DOUBLE_EQ(FixedPointValue(0x001, 9, 3), 0.125);
    EXPECT_DOUBLE_EQ(FixedPointValue(0xFFF, 9, 3), -0.125);
    EXPECT_DOUBLE_EQ(FixedPointValue(0x7FF, 9, 3), 255.875);
}

TEST(FixedPointValue, OversizedInputIsAProgrammingError)
{
    try {
        FixedPointValue(0x1000, 9, 3);
        FAIL() << "no error";
    } catch (const AssertionFailed &e) {
        EXPECT_STREQ(e.what(), "Assertion failed: N<=pow(2,N_i+N_f)-1, file aux_functions, line 34");
    }
    EXPECT_THROW(FixedPointValue(1, 30, 3), AssertionFailed);
}

// A type 2 message: corrections 0.125, -0.125, 255.875, -256 then zeros; UDREIs 0..12.
std::string FastCorrectionMessage()
{
    std::string bits = "01010011" "000010" "00" "00";
    const char *prc[] = {"000000000001", "111111111111", "011111111111", "100000000000"};
    for (int i = 0; i < 13; ++i)
        bits += i < 4 ? prc[i] : "000000000000";
    for (int i = 0; i < 13; ++i)
        for (int b = 3; b >= 0; --b)
            bits += ((i >> b) & 1) ? '1' : '0';
    bits.resize(256, '0');
    std::string hex;
    for (std::size_t i = 0; i < bits.size(); i += 4)
        hex += "0123456789ABCDEF"[std::stoi(bits.substr(i, 4), nullptr, 2)];
    return hex;
}

TEST(FastCorrections, ThirteenCorrectionsAndIndicatorsAtTheirPositions)
{
    const std::string msg = FastCorrectionMessage();
    const auto prc = FastCorrectionVector(msg);
    EXPECT_DOUBLE_EQ(prc[0], 0.125);
    EXPECT_DOUBLE_EQ(prc[1], -0.125);
    EXPECT_DOUBLE_EQ(prc[2], 255.875);
    EXPECT_DOUBLE_EQ(prc[3], -256.0);
    EXPECT_DOUBLE_EQ(prc[12], 0.0);
    const auto u = UDREIVector(msg);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(u.udrei[i], i);
        EXPECT_EQ(u.udre[i], kUDRE[i]);
        EXPECT_EQ(u.variance[i], kVarUDRE[i]);
    }
}

TEST(FastCorrections, IndicatorTablesAndBadText)
{
    EXPECT_EQ(kUDRE[14], 10000.0);
    EXPECT_EQ(kVarUDRE[14], 10000.0);
    EXPECT_EQ(kUDRE[15], 20000.0);
    EXPECT_EQ(kVarUDRE[15], 20000.0);
    EXPECT_THROW(UDREIVector(std::string(40, '0')), std::invalid_argument);
    EXPECT_THROW(UDREIVector(std::string(50, '0') + "XY" + std::string(12, '0')), std::invalid_argument);
}

TEST(Field, DecimalUnitsGiveTheNumberNearestTheDecimalValue)
{
    struct Case {
        int64_t raw;
        double lsb;
        const char *text;
    } cases[] = {
        {3, 0.08, "0.24"},           {-7, 0.08, "-0.56"},          {11, 0.000625, "0.006875"},
        {3, 0.0000125, "0.0000375"}, {7, 0.4, "2.8"},              {-3, 0.004, "-0.012"},
        {5, 0.125, "0.625"},         {-1, kPow2m31, "-4.656612873077393E-10"}, {-255, 2600, "-663000"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatText(Scaled(c.raw, c.lsb)), c.text) << c.raw << " x " << c.lsb;
}

TEST(MOPSMsg, KeepsItsMessageAndReadsFieldsFromIt)
{
    TMOPSMsg m;
    EXPECT_EQ(m.BitField(1, 8), -1); // nothing assigned yet
    m.SetMessage("9A1C");
    EXPECT_EQ(m.BitField(1, 8), 0x9A);
    EXPECT_EQ(m.BitField(9, 6), 7);
    m.SetMessage("");
    EXPECT_EQ(m.Message(), "9A1C"); // an empty text keeps the previous message
    m.SetMessage(std::string(20, 'F'));
    EXPECT_EQ(m.BitField(81, 8), 0); // a short text reads as zeros past its end
}

// A type 1 text with a digit that is no hex digit among its slots: the window's copy keeps
// the slots read before it, and the shared buffer is left alone. "5307F" holds bits 13-20:
// "7" = 0111 sets bits 14-16 (slots 1 and 2 at bits 15 and 16), "F" bits 17-20 (slots 3-6);
// the "G" at digit 6 holds slots 7-10. Digit 57 "D" = 1101: IODP bits 225-226 = 11.
TEST(MaskMessage, AStrayDigitStopsTheFilingWhereItStands)
{
    std::string text = "5307FFFFFFFC00000000000000000000000002000000000000000000D85921C0";
    text[5] = 'G';
    auto mask = std::make_unique<PRNMaskBuffer>();
    *mask = {};
    TMT01 m(*mask);
    EXPECT_EQ(m.Take(TMOPSMsg(text)), 3);
    EXPECT_TRUE(m.MaskReceived()); // the IODP was read: the window says a mask came
    try {
        m.File();
        ADD_FAILURE() << "a stray digit was filed";
    } catch (const std::invalid_argument &e) {
        EXPECT_STREQ(e.what(), "'G' is not a valid hexadecimal digit");
    }
    for (int index = 0; index < 12; ++index)
        EXPECT_EQ(m.MaskBit(3, index), index < 6 ? 1 : 0) << "slot " << index + 1;
    const MaskSlots &copy = m.Slots(3);
    EXPECT_EQ(std::vector<int>(copy.slot.begin(), copy.slot.begin() + copy.count), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(mask->received, 0);
    EXPECT_EQ(mask->slotList[3][0], 0);
    m.File(); // nothing waits to be filed
    EXPECT_EQ(mask->received, 0);
}

// A type 18 text that ends within its band's mask: the bits past its end read 0. "48" = 010010
// 00: type 18; digits 5-6 "00" hold bits 17-24, band bits 19-22 = 0000: band 0; the mask bits
// from bit 25 on are set in the 4 digits that follow, bits 25-40: points 0 to 15.
TEST(GridMask, ATextEndingWithinTheMaskLeavesThePointsPastItOut)
{
    auto grid = std::make_unique<IGPBuffer>();
    *grid = {};
    TMT18 m(*grid);
    m.SetMessage("9B4800FFFF");
    m.Decode();
    for (int point = 0; point < 20; ++point)
        EXPECT_EQ(grid->entry[point].InMask, point < 16 ? 1 : 0) << point;
    m.SetMessage("9B4800" + std::string(58, 'F')); // a whole message: every point of band 0
    m.Decode();
    EXPECT_EQ(grid->entry[200].InMask, 1);
    EXPECT_EQ(grid->entry[201].InMask, 0); // band 1's first point
}

} // namespace

TEST(MaskMessage, UnreadableTextIsRefusedWithItsReason)
{
    const std::string good = "5307FFFFFFFC00000000000000000000000002000000000000000000D85921C0";
    const struct {
        std::string text;
        int slot;
        const char *reason; // nullptr: read
        bool active;
    } cases[] = {
        {good, 1, nullptr, true},
        {good, 33, nullptr, false},
        {"5307fffffffc", 32, nullptr, true},              // lower case counts here
        {"5307FFFFFFFC", 35, "type 1 message too short: 5307FFFFFFFC", false},
        {"5307FFFFFFGC", 29, "'G' is not a valid hexadecimal digit", false},
        {"5307FFFF FFC", 21, "' ' is not a valid hexadecimal digit", false},
    };
    auto mask = std::make_unique<PRNMaskBuffer>();
    for (const auto &c : cases) {
        if (!c.reason) {
            EXPECT_EQ(mt01::SlotActive(c.text, c.slot), c.active) << c.text << " slot " << c.slot;
            continue;
        }
        try {
            mt01::SlotActive(c.text, c.slot);
            ADD_FAILURE() << c.text << " slot " << c.slot << " was read";
        } catch (const std::invalid_argument &e) {
            EXPECT_STREQ(e.what(), c.reason);
        }
    }
    EXPECT_EQ(mt01::ReadIODP(""), -1);
    EXPECT_FALSE(mt01::SlotActive("", 1));
    TMT01 empty(*mask);
    EXPECT_EQ(empty.Take(TMOPSMsg()), -1);
    empty.File();
    EXPECT_EQ(mask->received, 0);
    EXPECT_FALSE(empty.MaskReceived());
}
