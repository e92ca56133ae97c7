#include "link/message_text.h"
#include "link/reply_line.h"
#include "sbas_encoder.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtractLine, LinesArePiecedTogetherAcrossReads)
{
    std::string pending;
    EXPECT_EQ(ExtractLine(pending, "*MSG,2286,5184").line, "");
    EXPECT_EQ(ExtractLine(pending, "00,C6\r").line, "");
    const ExtractedLine done = ExtractLine(pending, "\n");
    EXPECT_EQ(done.line, "*MSG,2286,518400,C6");
    EXPECT_FALSE(done.more);
    EXPECT_EQ(pending, "");
}

TEST(ExtractLine, OneLineAtATimeWithMoreToCome)
{
    std::string pending;
    ExtractedLine l = ExtractLine(pending, "*AUTH\r\n\r\n*TXT,a\n*TXT,b");
    EXPECT_EQ(l.line, "*AUTH");
    EXPECT_TRUE(l.more);
    l = ExtractLine(pending, "");
    EXPECT_EQ(l.line, ""); // an empty line looks like no line
    EXPECT_TRUE(l.more);
    l = ExtractLine(pending, "");
    EXPECT_EQ(l.line, "*TXT,a");
    EXPECT_FALSE(l.more);
    EXPECT_EQ(pending, "*TXT,b");
}

TEST(ExtractLine, TextWithoutALineFeedIsCapped)
{
    std::string pending;
    EXPECT_FALSE(ExtractLine(pending, std::string(kMaxPendingText, 'x')).dropped);
    const ExtractedLine l = ExtractLine(pending, "y");
    EXPECT_TRUE(l.dropped);
    EXPECT_EQ(pending, "");
    EXPECT_EQ(ExtractLine(pending, "*AUTH\n").line, "*AUTH");
}

TEST(ExtractLine, AnOverLongCompleteLineIsDroppedAndTheNextOneStillComes)
{
    std::string pending;
    const ExtractedLine l = ExtractLine(pending, "*MSG," + std::string(kMaxPendingText, '0') + "\r\n*AUTH\r\n");
    EXPECT_TRUE(l.dropped);
    EXPECT_EQ(l.line, "");
    EXPECT_TRUE(l.more);
    EXPECT_EQ(ExtractLine(pending, "").line, "*AUTH");
    // At the cap itself the line is kept.
    const std::string longest(kMaxPendingText, 'x');
    EXPECT_EQ(ExtractLine(pending, longest + "\n").line, longest);
}

TEST(LineFramer, ManyLinesFromOneLargeReadComeInOrder)
{
    LineFramer framer;
    std::string read;
    for (int i = 0; i < 100000; ++i)
        read += "*TXT," + std::to_string(i) + "\r\n";
    framer.Append(read + "*TXT,tail");
    for (int i = 0; i < 100000; ++i) {
        const ExtractedLine l = framer.Next();
        ASSERT_EQ(l.line, "*TXT," + std::to_string(i));
        ASSERT_EQ(l.more, i < 99999);
    }
    EXPECT_EQ(framer.Next().line, "");
    framer.Append("\n");
    EXPECT_EQ(framer.Next().line, "*TXT,tail");
}

TEST(Replies, ClassifiedByTheirFirstCharacters)
{
    const std::pair<const char *, ReplyKind> cases[] = {
        {"*MSG,1,2,3", ReplyKind::Message},    {"*AUTHORISED", ReplyKind::Authorised},
        {"*END", ReplyKind::End},              {"*TXT,hello", ReplyKind::Text},
        {"*ERR,3,x", ReplyKind::Error},        {"*GETMSG,1,2,3", ReplyKind::RequestedMessage},
        {"*msg,1,2,3", ReplyKind::Other},      {"MSG", ReplyKind::Other},
        {"", ReplyKind::Other},
    };
    for (const auto &[line, kind] : cases)
        EXPECT_EQ(Classify(line), kind) << line;
    EXPECT_EQ(RequestedToMessage("*GETMSG,1,2,C6"), "*MSG,1,2,C6");
}

TEST(Replies, FieldsAreSplitAtCommas)
{
    MessageFields m = SplitMessageLine("*MSG,2286,518400,C6,0|4");
    EXPECT_EQ(m.week, "2286");
    EXPECT_EQ(m.time, "518400");
    EXPECT_EQ(m.payload, "C6,0|4"); // the payload keeps its commas
    m = SplitMessageLine("*MSG,2286");
    EXPECT_EQ(m.week, "");
    EXPECT_EQ(m.payload, "2286");

    ErrorFields e = SplitErrorLine("*ERR,3,Bad request, really");
    EXPECT_EQ(e.code, "3");
    EXPECT_EQ(e.message, "Bad request, really");
    e = SplitErrorLine("*ERR,7");
    EXPECT_EQ(e.code, ""); // a code needs a comma after it
    EXPECT_EQ(e.message, "7");
    EXPECT_EQ(SplitTextLine("*TXT,Service notice"), "Service notice");
}

TEST(MessageText, TypeAndEmptyTypeZero)
{
    EXPECT_EQ(MessageTypeOf(sbas::NullMessage().Hex()), 63);
    EXPECT_EQ(MessageTypeOf("9A08"), 2);
    EXPECT_FALSE(MessageTypeOf("9AZ8"));
    EXPECT_FALSE(MessageTypeOf("9A"));

    sbas::FastCorrectionsMsg m;
    m.type = 0;
    EXPECT_TRUE(IsEmptyMt0(sbas::FastCorrections(m).Hex()));
    m.udrei[12] = 1;
    EXPECT_FALSE(IsEmptyMt0(sbas::FastCorrections(m).Hex()));
    m.udrei[12] = 0;
    m.prc[0] = -0.125;
    EXPECT_FALSE(IsEmptyMt0(sbas::FastCorrections(m).Hex()));
}

} // namespace
