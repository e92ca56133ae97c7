// The message catalogue's lists and the intake's rules for one message line, without a window:
// captions, refusals, the expanded text, the type, the type 0 rule, the record and the ticks.
#include "codec/pardo.h"
#include "link/message_catalogue.h"
#include "link/message_intake.h"
#include "link/message_text.h"
#include "link/shown_type.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(MessageCatalogue, ListsBuiltFromTheTable)
{
    EXPECT_EQ(RequestListWrites(), (std::vector<std::string>{
                                       "GETMSG,0,1\r\nGETMSG,1,1\r\nGETMSG,2,1\r\nGETMSG,3,1\r\n",
                                       "GETMSG,4,1\r\nGETMSG,5,1\r\nGETMSG,6,1\r\nGETMSG,7,1\r\n",
                                       "GETMSG,9,1\r\nGETMSG,10,1\r\nGETMSG,12,1\r\nGETMSG,17,1\r\n",
                                       "GETMSG,18,1\r\nGETMSG,24,1\r\nGETMSG,25,1\r\nGETMSG,26,1\r\n",
                                       "GETMSG,27,1\r\nGETMSG,63,1\r\n",
                                   }));
    const std::vector<int> recorded = {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 12, 17, 18, 24, 25, 26, 27, 28, 62, 63};
    EXPECT_EQ(std::vector<int>(kStatusTypes.begin(), kStatusTypes.end()), recorded);
    EXPECT_EQ(std::vector<int>(kLogBoxTypes.begin(), kLogBoxTypes.end()), recorded);
    EXPECT_EQ(FindHandledType(8), nullptr);
    EXPECT_EQ(FindHandledType(64), nullptr);
    ASSERT_NE(FindHandledType(28), nullptr);
    EXPECT_FALSE(FindHandledType(28)->requested);
    EXPECT_EQ(FindHandledType(3)->overview, OverviewReading::FastCorrections);
}

// Message texts worked out by hand: bits 9-14, the type, are the top six bits of digits 3-4.
const std::string kZeros(60, '0');
const std::string kTrailer = "000";
const std::string kNull = "53FC" + kZeros + kTrailer;        // FC = 111111 00: type 63; 67 characters
const std::string kMask = "5304" + kZeros + kTrailer;        // 04 = 000001 00: type 1
// 00: type 0. Digit 5 holds bits 17-20 (IODP, then the first bits of the first correction):
// "1" there sets bit 20, so the first correction is not zero.
const std::string kEmptyZero = "5300" + kZeros + kTrailer;
const std::string kCarryingZero = "53001" + kZeros.substr(1) + kTrailer;

std::string Line(const std::string &week, const std::string &time, const std::string &text)
{
    TPARDO p;
    p.Data = text;
    p.Compress();
    return "*MSG," + week + "," + time + "," + p.Data;
}

IntakeSession Streaming(int requestCount = kRequestCount + 1)
{
    IntakeSession s;
    s.requestCount = requestCount;
    return s;
}

TEST(MessageIntake, OneLine)
{
    struct Case {
        const char *name;
        std::string line;
        std::string timeCaption, error;
        IntakeRefusal refusal;
        int textSize; // -1: not expanded
        int type;
        const char *shown; // nullptr: not handled
    } const cases[] = {
        {"week not a number", "*MSG,abc,5001,C6", "", "'abc' is not a valid floating point value",
         IntakeRefusal::None, -1, -1, nullptr},
        {"time not a number", "*MSG,2443,W2443,C6", "GPS Time: W2443", "'W2443' is not a valid floating point value",
         IntakeRefusal::None, -1, -1, nullptr},
        {"a NUL in a field is shown, not the end of the report", std::string("*MSG,2443,3000\0x,C6", 19),
         std::string("GPS Time: 3000\0x", 16), "'3000\\0x' is not a valid floating point value", IntakeRefusal::None,
         -1, -1, nullptr},
        {"no payload", "*MSG,2443,7,", "GPS Time: 7", "", IntakeRefusal::NoPayload, -1, -1, nullptr},
        {"payload not expandable", "*MSG,2443,5000,|4", "GPS Time: 5000", "", IntakeRefusal::Pardo, -1, -1, nullptr},
        {"68 characters", Line("2443", "8", kNull + "0"), "GPS Time: 8", "", IntakeRefusal::OverLong, 68, -1, nullptr},
        {"67 characters", Line("2443", "9", kNull), "GPS Time: 9", "", IntakeRefusal::None, 67, 63,
         "Message Type: 63"},
        {"too short for a type", "*MSG,2443,10,AB", "GPS Time: 10", "'0x' is not a valid integer value",
         IntakeRefusal::None, 2, -1, nullptr},
        {"type digits not hexadecimal", Line("2443", "11", "53ZZ"), "GPS Time: 11", "'0xZZ' is not a valid integer value",
         IntakeRefusal::None, 4, -1, nullptr},
        {"a NUL among the type digits", std::string("*MSG,2443,12,53\0F", 17), "GPS Time: 12",
         "'0x\\0F' is not a valid integer value", IntakeRefusal::None, 4, -1, nullptr},
        {"type 1", Line("2443", "13", kMask), "GPS Time: 13", "", IntakeRefusal::None, 67, 1, "Message Type: 1"},
        {"empty type 0 goes no further", Line("2443", "14", kEmptyZero), "GPS Time: 14", "", IntakeRefusal::None, 67, 0,
         nullptr},
        {"type 0 with a correction is shown as 2", Line("2443", "15", kCarryingZero), "GPS Time: 15", "",
         IntakeRefusal::None, 67, 0, "Message Type: 2"},
    };
    for (const Case &c : cases) {
        MessageIntake intake;
        const IntakeOutcome &out = intake.Take(c.line, Streaming());
        EXPECT_EQ(out.weekCaption.substr(0, 10), "GPS Week: ") << c.name;
        EXPECT_EQ(out.timeCaption, c.timeCaption) << c.name;
        EXPECT_EQ(out.error, c.error) << c.name;
        EXPECT_EQ(out.refusal, c.refusal) << c.name;
        EXPECT_EQ(out.text ? static_cast<int>(out.text->size()) : -1, c.textSize) << c.name;
        EXPECT_EQ(out.overLong, c.refusal == IntakeRefusal::OverLong) << c.name;
        EXPECT_EQ(out.type, c.type) << c.name;
        EXPECT_EQ(out.noteOverview, c.type >= 0) << c.name;
        EXPECT_EQ(out.message != nullptr, c.type >= 0) << c.name;
        EXPECT_EQ(out.shown ? out.shown->caption : "not shown", c.shown ? c.shown : "not shown") << c.name;
    }
}

TEST(MessageIntake, WhatAnAcceptedMessageCarries)
{
    MessageIntake intake;
    const IntakeOutcome &empty = intake.Take(Line("2443", "14", kEmptyZero), Streaming());
    EXPECT_EQ(empty.shownType, -1);
    EXPECT_EQ(empty.log, std::vector<std::string>{});

    const IntakeOutcome &pardo = intake.Take("*MSG,2443,5000,|4", Streaming());
    EXPECT_EQ(pardo.weekCaption, "GPS Week: 2443");
    EXPECT_EQ(pardo.log, (std::vector<std::string>{"PARDO Decompression Error.", "GPS Time: 5000  GPS Week: 2443",
                                                   "This message will be ignored"}));

    // The text is unchanged: its header still reads type 0.
    const IntakeOutcome &carrying = intake.Take(Line("2443", "15", kCarryingZero), Streaming());
    EXPECT_EQ(*carrying.text, kCarryingZero);
    EXPECT_EQ(carrying.message->Message(), kCarryingZero);
    EXPECT_EQ(carrying.shownType, 2);
    EXPECT_DOUBLE_EQ(carrying.gpsSeconds, 2443 * 604800.0 + 15);
}

TEST(MessageIntake, RecordOnlyWhileLoggingWithItsOwnTypeAndPrn)
{
    MessageIntake intake;
    EXPECT_FALSE(intake.Take(Line("1525", "0", kCarryingZero), Streaming()).record);
    IntakeSession logging = Streaming();
    logging.logging = true;
    logging.geoPrn = "124.9";
    const IntakeOutcome &out = intake.Take(Line("1525", "353", kCarryingZero), logging);
    ASSERT_TRUE(out.record);
    EXPECT_EQ(out.record->prn, 124); // the fraction dropped
    EXPECT_EQ(out.record->type, 0);  // written before the type 0 rule
    EXPECT_DOUBLE_EQ(out.record->week, 1525);
    EXPECT_DOUBLE_EQ(out.record->seconds, 353);
    EXPECT_EQ(out.record->text, "53001" + kZeros.substr(1) + "00"); // the trailer's first character taken out
}

// Until the request phase is over answers may share a time; after it, a line with the time of
// the last dispatched message is a repeat, refused before its payload is looked at.
TEST(MessageIntake, RepeatsAndTicksFollowTheRequestCount)
{
    struct Case {
        const char *name;
        int requestCount;
        std::string first;
        bool secondRefused, secondTick, live;
    } const cases[] = {
        {"during the requests", kRequestCount - 1, kNull, false, false, false},
        {"at the last answer", kRequestCount, kNull, false, true, true},
        {"streaming", kRequestCount + 1, kNull, true, false, true},
        {"after a message not dispatched", kRequestCount + 1, kEmptyZero, false, false, true},
    };
    for (const Case &c : cases) {
        MessageIntake intake;
        const IntakeOutcome &first = intake.Take(Line("2443", "20", c.first), Streaming(c.requestCount));
        if (first.shown)
            intake.NoteDispatched();
        const IntakeOutcome &second = intake.Take(Line("2443", "20", "5308" + kZeros + kTrailer), Streaming(c.requestCount));
        EXPECT_EQ(second.refusal == IntakeRefusal::Repeat, c.secondRefused) << c.name;
        EXPECT_EQ(second.text == nullptr, c.secondRefused) << c.name;
        EXPECT_EQ(second.secondTick, c.secondTick && !c.secondRefused) << c.name;
        EXPECT_EQ(second.live, c.live && !c.secondRefused) << c.name;
    }
}

// The type is the top six bits of digits 3 and 4, of either case: "FC" = 111111 00 is 63,
// "07" = 000001 11 is 1, "A3" = 101000 11 is 40.
TEST(MessageIntake, TypeFromDigitsThreeAndFour)
{
    const struct {
        const char *text;
        int type; // -1: none
    } cases[] = {
        {"53FC", 63}, {"53fc", 63}, {"53fC", 63}, {"5307", 1}, {"53A3", 40}, {"53a3", 40},
        {"53G0", -1}, {"530g", -1}, {"53 0", -1}, {"53F", -1}, {"", -1},
    };
    for (const auto &c : cases) {
        const auto type = MessageTypeOf(c.text);
        EXPECT_EQ(type ? *type : -1, c.type) << c.text;
    }
    EXPECT_FALSE(MessageTypeOf(std::string("53\0F", 4)));
}

// The shown type's caption read as a number once, when it is made; Number() stays the text.
TEST(ShownType, CaptionNumberReadOnce)
{
    const struct {
        const char *caption;
        int number; // -1: none
        bool mask;
    } cases[] = {
        {"Message Type: 3", 3, false},  {"Message Type: 1", 1, true},   {"Message Type: 1 ", -1, false},
        {"Message Type: 3x", -1, false}, {"Message Type:", -1, false},   {"Message Type: -2", -2, false},
        {"Message Type: 12", 12, false},
    };
    for (const auto &c : cases) {
        const ShownType shown{c.caption};
        EXPECT_EQ(shown.NumberValue() ? *shown.NumberValue() : -1, c.number) << c.caption;
        EXPECT_EQ(shown.IsMask(), c.mask) << c.caption;
    }
    EXPECT_EQ(ShownType::Of(27).NumberValue(), 27);
    EXPECT_EQ(ShownType().NumberValue(), std::nullopt);
}

} // namespace
