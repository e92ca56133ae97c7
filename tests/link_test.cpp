#include "link/message_text.h"
#include "link/reply_line.h"
#include "sbas_encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What a framer gives for the reads, in order: each line ("<N bytes>" for a long one), or
// "<over-long line>" and "<no line end>" for dropped text; the lines are taken after each read,
// as the session does.
std::vector<std::string> Framed(LineFramer &framer, const std::vector<std::string> &reads, bool endOfText = false)
{
    std::vector<std::string> out;
    const auto drain = [&] {
        while (framer.HasLine()) {
            const ExtractedLine l = framer.Next();
            if (l.dropped == DroppedText::OverLongLine)
                out.push_back("<over-long line>");
            else if (l.dropped == DroppedText::Unterminated)
                out.push_back("<no line end>");
            else if (l.line.size() > 100)
                out.push_back("<" + std::to_string(l.line.size()) + " bytes>");
            else
                out.push_back(l.line);
        }
    };
    for (const std::string &read : reads) {
        framer.Append(read);
        drain();
    }
    if (endOfText) {
        framer.EndOfText();
        drain();
    }
    return out;
}

std::vector<std::string> Framed(const std::vector<std::string> &reads, bool endOfText = false)
{
    LineFramer framer;
    return Framed(framer, reads, endOfText);
}

// The text cut into reads of n bytes.
std::vector<std::string> InReadsOf(const std::string &text, std::size_t n)
{
    std::vector<std::string> reads;
    for (std::size_t i = 0; i < text.size(); i += n)
        reads.push_back(text.substr(i, n));
    return reads;
}

using Lines = std::vector<std::string>;

TEST(LineFramer, LinesArePiecedTogetherAcrossReads)
{
    EXPECT_EQ(Framed({"*MSG,2286,5184", "00,C6\r", "\n"}), Lines{"*MSG,2286,518400,C6"});
}

TEST(LineFramer, OneLineAtATimeWithMoreToCome)
{
    LineFramer framer;
    framer.Append("*AUTH\r\n\r\n*TXT,a\n*TXT,b");
    ExtractedLine l = framer.Next();
    EXPECT_EQ(l.line, "*AUTH");
    EXPECT_TRUE(l.more);
    l = framer.Next();
    EXPECT_EQ(l.line, ""); // an empty line looks like no line
    EXPECT_TRUE(l.more);
    l = framer.Next();
    EXPECT_EQ(l.line, "*TXT,a");
    EXPECT_FALSE(l.more);
    EXPECT_FALSE(framer.HasLine());
    EXPECT_EQ(framer.Next().line, "");
    framer.Append("\r\n");
    EXPECT_EQ(framer.Next().line, "*TXT,b");
}

// The cap is on the line without its line end: a line of exactly 64 KiB is kept, one byte more
// is dropped, wherever the reads cut it (in the line, between the CR and the LF, after the CR).
TEST(LineFramer, TheCapIsOnTheLineWithoutItsLineEndWhateverTheReads)
{
    const std::string longest(kMaxLineLength, 'x');
    const std::string tooLong(kMaxLineLength + 1, 'x');
    const std::string kept = "<65536 bytes>";
    struct Case {
        const char *name;
        std::vector<std::string> reads;
        Lines expected;
    };
    const Case cases[] = {
        {"64 KiB in one read", {longest + "\r\n*AUTH\r\n"}, {kept, "*AUTH"}},
        {"64 KiB, CR and LF apart", {longest + "\r", "\n*AUTH\r\n"}, {kept, "*AUTH"}},
        {"64 KiB, the line end alone", {longest, "\r\n*AUTH\r\n"}, {kept, "*AUTH"}},
        {"64 KiB, the LF alone", {longest + "\r", "\n", "*AUTH\r\n"}, {kept, "*AUTH"}},
        {"64 KiB cut in the line", {longest.substr(0, 100), longest.substr(100) + "\r", "\n*AUTH\n"}, {kept, "*AUTH"}},
        {"64 KiB ended by LF only", {longest, "\n*AUTH\n"}, {kept, "*AUTH"}},
        {"64 KiB + 1 in one read", {tooLong + "\r\n*AUTH\r\n"}, {"<over-long line>", "*AUTH"}},
        {"64 KiB + 1, CR and LF apart", {tooLong + "\r", "\n*AUTH\r\n"}, {"<over-long line>", "*AUTH"}},
        {"64 KiB + 1, the line end alone", {tooLong, "\r\n*AUTH\r\n"}, {"<over-long line>", "*AUTH"}},
        {"64 KiB + 1 ended by LF only", {tooLong + "\n*AUTH\n"}, {"<over-long line>", "*AUTH"}},
        // The CR that is not followed by the LF is part of the line.
        {"64 KiB and a lone CR", {longest + "\r", "y\n*AUTH\n"}, {"<over-long line>", "*AUTH"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Framed(c.reads), c.expected) << c.name;
}

// Dropped text is reported once, in its place among the lines, with its reason: a line that
// ends within 32 bytes here (4 MiB in use) is an over-long line, text that runs on without a
// line end for that long, or is cut by the end of the connection, has no line end.
TEST(LineFramer, EachDroppedTextIsReportedOnceWithItsReason)
{
    const FramingLimits limits{8, 32};
    const std::string line9 = "123456789";       // one byte over the cap of 8
    const std::string run40(40, 'A');            // past the 32 bytes without a line end
    struct Case {
        const char *name;
        std::vector<std::string> reads;
        bool endOfText;
        Lines expected;
    };
    const Case cases[] = {
        {"an over-long line", {"*A\n" + line9 + "\r\n*B\n"}, false, {"*A", "<over-long line>", "*B"}},
        {"two over-long lines", {line9 + "\n" + line9 + "\n*B\n"}, false, {"<over-long line>", "<over-long line>", "*B"}},
        {"an over-long line of 31 bytes", {std::string(31, 'A') + "\n*B\n"}, false, {"<over-long line>", "*B"}},
        {"32 bytes without a line end", {std::string(32, 'A') + "\n*B\n"}, false, {"<no line end>", "*B"}},
        {"40 bytes, then their line end", {"*A\n" + run40 + "\r\n*B\n"}, false, {"*A", "<no line end>", "*B"}},
        {"40 bytes cut by the end", {"*A\n" + run40}, true, {"*A", "<no line end>"}},
        {"an over-long start cut by the end", {line9 + "0"}, true, {"<no line end>"}},
        {"an unfinished line cut by the end", {"*A\n*B"}, true, {"*A"}},
        {"nothing dropped yet", {"*A\n" + line9}, false, {"*A"}},
    };
    for (const Case &c : cases) {
        const std::string text = [&] {
            std::string all;
            for (const std::string &r : c.reads)
                all += r;
            return all;
        }();
        for (std::size_t n : {text.size(), std::size_t{1}, std::size_t{3}, std::size_t{7}}) {
            LineFramer framer(limits);
            EXPECT_EQ(Framed(framer, InReadsOf(text, n), c.endOfText), c.expected) << c.name << ", reads of " << n;
        }
    }
}

TEST(LineFramer, TheReportOfTextWithoutALineEndComesWhenItIsKnown)
{
    LineFramer framer(FramingLimits{8, 32});
    framer.Append(std::string(31, 'A'));
    EXPECT_FALSE(framer.HasLine()); // an over-long line or text without end: not known yet
    framer.Append("A");
    ASSERT_TRUE(framer.HasLine());
    EXPECT_EQ(framer.Next().dropped, DroppedText::Unterminated);
    EXPECT_EQ(Framed(framer, {std::string(1000, 'A') + "\n*B\n"}), Lines{"*B"}); // the rest of the same text
    // After the end of a connection, the next one starts on a line of its own.
    framer.Append("*C");
    framer.EndOfText();
    EXPECT_EQ(Framed(framer, {"*D\n"}), Lines{"*D"});
}

TEST(LineFramer, DroppedTextHasAReportOfItsOwn)
{
    EXPECT_STREQ(DroppedTextReport(DroppedText::OverLongLine), "Received line exceeded 64 KiB and was dropped.");
    EXPECT_STREQ(DroppedTextReport(DroppedText::Unterminated),
                 "Received text without a line end exceeded 64 KiB and was dropped.");
}

// Over-long text is counted, not kept: 10 MiB without a line end hold no more than the cap.
TEST(LineFramer, OverLongTextIsNotKept)
{
    LineFramer framer;
    const std::string mib(1024 * 1024, 'A');
    for (int i = 0; i < 10; ++i) {
        framer.Append(mib);
        EXPECT_LE(framer.Held(), kMaxLineLength + 1) << i;
    }
    EXPECT_EQ(Framed(framer, {"\n*B\n"}), (Lines{"<no line end>", "*B"}));
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

// With a backlog of waiting lines, a read comes in and a line is taken, over and over. The bytes
// the framer moves to discard taken lines must not depend on the backlog: they are moved only
// once the taken part is at least as large as the waiting part, so each byte taken pays for at
// most one byte moved, and each line for at most its own 20 bytes.
TEST(LineFramer, TheCostPerLineDoesNotGrowWithTheBacklog)
{
    const std::string line = "*TXT,123456789012\r\n"; // 19 bytes
    const std::size_t lineBytes = line.size() + 1;   // with the taken line's own share, 20
    for (int backlog : {1000, 100000}) {
        LineFramer framer;
        std::string waiting;
        for (int i = 0; i < backlog; ++i)
            waiting += line;
        framer.Append(waiting);
        const std::size_t before = framer.BytesMoved();
        constexpr int kRounds = 5000;
        for (int i = 0; i < kRounds; ++i) {
            framer.Append(line);
            ASSERT_EQ(framer.Next().line, "*TXT,123456789012");
        }
        const double perLine = static_cast<double>(framer.BytesMoved() - before) / kRounds;
        EXPECT_LE(perLine, static_cast<double>(lineBytes)) << "backlog of " << backlog << " lines";
    }
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
