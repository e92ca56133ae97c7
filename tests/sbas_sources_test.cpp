// The receiver readers: each format written by its writer and read back whole, a byte at a
// time and in random pieces, with garbage, truncated frames and spoilt checksums between the
// frames; the times each format gives its messages; the checksums against the makers' own
// examples; and the real recordings through every format and back, line for line.
#include "checksums.h"
#include "frame_reader.h"
#include "receiver_writers.h"
#include "sbas_encoder.h"
#include "text_reader.h"
#include "ubx_reader.h"

#include "output/log_record.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

namespace {

const uint8_t *Bytes(const std::string &s)
{
    return reinterpret_cast<const uint8_t *>(s.data());
}

SbasMessage Message(SbasFrame frame, int prn, int week, double tow, int sequence)
{
    SbasMessage m;
    m.prn = prn;
    m.week = week;
    m.tow = tow;
    ParseHexDigits(frame.Hex(sequence), m.bits.data(), m.bits.size());
    return m;
}

// A second of each kind of message, two GEOs, across the end of a GPS week.
std::vector<SbasMessage> Messages()
{
    sbas::FastCorrectionsMsg fc;
    fc.prc[0] = 1.5;
    const SbasFrame frames[] = {sbas::PrnMask({1, 2, 3}, 1), sbas::FastCorrections(fc), sbas::NullMessage(),
                                sbas::IgpMask({}), SbasFrame(0)};
    std::vector<SbasMessage> out;
    double tow = 604797;
    int week = 2443;
    for (int i = 0; i < 5; ++i) {
        out.push_back(Message(frames[i], 124, week, tow, i));
        out.push_back(Message(frames[(i + 2) % 5], 136, week, tow, i + 1));
        if (++tow == 604800) {
            tow = 0;
            ++week;
        }
    }
    return out;
}

std::vector<SbasMessage> Read(SourceFormat format, const std::vector<std::string> &pieces, ReaderCounts *counts = nullptr)
{
    auto reader = MakeReader(format);
    std::vector<SbasMessage> out;
    for (const std::string &p : pieces)
        reader->Feed(Bytes(p), p.size(), out);
    reader->Finish(out);
    if (counts)
        *counts = reader->Counts();
    return out;
}

std::vector<std::string> Lines(const std::vector<SbasMessage> &messages)
{
    std::vector<std::string> lines;
    for (const SbasMessage &m : messages)
        lines.push_back(std::to_string(m.prn) + " " + std::to_string(m.week) + " " + std::to_string(m.tow) + " " + m.Hex());
    return lines;
}

struct Format {
    const char *name;
    SourceFormat reader;
    std::function<std::string(const std::vector<SbasMessage> &)> write;
};

const Format kFormats[] = {
    {"ubx, NAV-TIMEGPS", SourceFormat::Ubx, [](const auto &m) { return receiver::Ubx(m); }},
    {"ubx, RXM-RAWX", SourceFormat::Ubx, [](const auto &m) { return receiver::Ubx(m, receiver::UbxClock::Rawx); }},
    {"sbf", SourceFormat::Sbf, [](const auto &m) { return receiver::Sbf(m); }},
    {"novatel binary", SourceFormat::Novatel, [](const auto &m) { return receiver::NovatelBinary(m); }},
    {"novatel ascii", SourceFormat::Novatel, [](const auto &m) { return receiver::NovatelAscii(m); }},
    {"text, 64 digits", SourceFormat::Text, [](const auto &m) { return receiver::ToolLines(m, false); }},
    {"text, 58 digits", SourceFormat::Text, [](const auto &m) { return receiver::ToolLines(m, true); }},
    {"message-log records", SourceFormat::Text, [](const auto &m) { return receiver::LogRecords(m); }},
};

// Each frame written on its own, so that pieces can go between frames.
std::vector<std::string> Frames(const Format &f, const std::vector<SbasMessage> &messages)
{
    std::vector<std::string> frames;
    std::string previous;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        // The UBX writer puts an epoch before the first message of each second: write the
        // messages so far and keep what the last one added.
        const std::vector<SbasMessage> upTo(messages.begin(), messages.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        const std::string all = f.write(upTo);
        frames.push_back(all.substr(previous.size()));
        previous = all;
    }
    return frames;
}

TEST(ReaderTest, EveryFormatReadsBackWhateverTheCutsAndTheGarbageBetweenFrames)
{
    const std::vector<SbasMessage> messages = Messages();
    const std::vector<std::string> expected = Lines(messages);
    // Garbage that starts like a frame of each format, and bytes that start nothing.
    const std::string garbage[] = {"\xB5\x62\x02\x13\xFF", "$@\x01\x02", "\xAA\x44\x12\x1C", "#RAWWAASFRAMEA,COM1\n",
                                   "noise\n", std::string("\0\xFF\xB5$#\xAA", 6)};
    std::mt19937 random(7);
    for (const Format &f : kFormats) {
        SCOPED_TRACE(f.name);
        const std::string whole = f.write(messages);
        EXPECT_EQ(Lines(Read(f.reader, {whole})), expected) << "in one piece";

        std::vector<std::string> bytes;
        for (const char c : whole)
            bytes.emplace_back(1, c);
        EXPECT_EQ(Lines(Read(f.reader, bytes)), expected) << "a byte at a time";

        std::vector<std::string> pieces;
        for (std::size_t at = 0; at < whole.size();) {
            const std::size_t n = 1 + random() % 40;
            pieces.push_back(whole.substr(at, n));
            at += n;
        }
        EXPECT_EQ(Lines(Read(f.reader, pieces)), expected) << "random pieces";

        std::string mixed;
        const std::vector<std::string> frames = Frames(f, messages);
        for (std::size_t i = 0; i < frames.size(); ++i) // garbage between text lines is lines of its own
            mixed += garbage[i % std::size(garbage)] + (f.reader == SourceFormat::Text ? "\n" : "") + frames[i];
        ReaderCounts counts;
        EXPECT_EQ(Lines(Read(f.reader, {mixed.substr(0, 7), mixed.substr(7)}, &counts)), expected)
            << "garbage between frames";
        EXPECT_EQ(counts.messages, static_cast<int64_t>(messages.size()));
    }
}

TEST(ReaderTest, ATruncatedOrSpoiltFrameCostsOnlyItself)
{
    const std::vector<SbasMessage> messages = Messages();
    for (const Format &f : kFormats) {
        SCOPED_TRACE(f.name);
        const std::vector<std::string> frames = Frames(f, messages);
        // Frame 3 cut in half; frame 6 changed in its fifth byte from the end (a checksum, the
        // padding before it, or a digit of a line).
        std::string stream;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            std::string frame = frames[i];
            if (i == 3)
                frame.resize(frame.size() / 2);
            if (i == 6)
                frame[frame.size() - 5] = static_cast<char>(frame[frame.size() - 5] == '0' ? '1' : '0');
            stream += frame;
        }
        ReaderCounts counts;
        const std::vector<SbasMessage> read = Read(f.reader, {stream}, &counts);
        std::vector<SbasMessage> kept = messages;
        if (f.reader == SourceFormat::Text) {
            // A cut line runs into the next one, and a line has no checksum: the spoilt line
            // comes through with its changed digit.
            kept.erase(kept.begin() + 3, kept.begin() + 5);
            ASSERT_EQ(read.size(), kept.size());
            EXPECT_NE(read[4].Hex(), kept[4].Hex());
            kept[4] = read[4];
            EXPECT_EQ(Lines(read), Lines(kept));
            EXPECT_EQ(counts.otherFrames, 1);
            continue;
        }
        kept.erase(kept.begin() + 6);
        kept.erase(kept.begin() + 3);
        EXPECT_EQ(Lines(read), Lines(kept));
        EXPECT_GE(counts.checksumFailures, 1);
    }
}

TEST(ReaderTest, UbxMessagesAreTimedOneSecondBeforeTheLatestEpoch)
{
    const SbasMessage m = Message(sbas::NullMessage(), 126, 0, 0, 0);
    const std::string frame = receiver::UbxSubframe(m);
    // Rows: the receiver time before the frame, and the message's week and time of week.
    const struct {
        const char *name;
        std::string epoch;
        int week;
        double tow;
    } rows[] = {
        {"NAV-TIMEGPS 1001.000 s", receiver::UbxTimeGps(2443, 1001), 2443, 1000},
        {"NAV-TIMEGPS 1001.2 s (5 Hz epochs)", receiver::UbxTimeGps(2443, 1001.2), 2443, 1000},
        {"NAV-TIMEGPS at the week's start", receiver::UbxTimeGps(2443, 0), 2442, 604799},
    };
    for (const auto &row : rows) {
        const auto read = Read(SourceFormat::Ubx, {row.epoch + frame});
        ASSERT_EQ(read.size(), 1u) << row.name;
        EXPECT_EQ(read[0].week, row.week) << row.name;
        EXPECT_EQ(read[0].tow, row.tow) << row.name;
        EXPECT_EQ(read[0].prn, 126) << row.name;
    }
    ReaderCounts counts;
    EXPECT_TRUE(Read(SourceFormat::Ubx, {frame}, &counts).empty()) << "no epoch yet";
    EXPECT_EQ(counts.untimed, 1);
    // NAV-TIMEGPS with its week not yet valid (valid = 0x01) sets no epoch: payload by hand,
    // iTOW 1001000 ms = 0x000F4628, fTOW 0, week 2443 = 0x098B, leapS 18, valid 1, tAcc 0.
    const std::string unsure = receiver::UbxFrame(
        0x01, 0x20, std::string("\x28\x46\x0F\x00\x00\x00\x00\x00\x8B\x09\x12\x01\x00\x00\x00\x00", 16));
    EXPECT_TRUE(Read(SourceFormat::Ubx, {unsure + frame}).empty());
}

TEST(ReaderTest, ShortFormsGetTheirParityRebuilt)
{
    // A frame of the broadcast (the first line of a recording of PRN 137), its parity good.
    const std::string full = "C60DFFFC001FFDFFC001FFDFFDFFFFFC000001FFDFFEE3BA7BBAA63B8A46C200";
    // Its first 58 digits hold bits 1-232: 226 bits and, here, six zero bits.
    const auto read = TextReader::ReadLine("2286 525600 137  3 : " + full.substr(0, 58));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Hex(), full);
    EXPECT_EQ(read->Type(), 3);
    EXPECT_EQ(TextReader::ReadLine("2286 525600 137  3 : " + full)->Hex(), full);
    EXPECT_EQ(TextReader::ReadLine("137 23 11 04 02 00 00 3 " + full)->tow, 525600) << "Saturday 2 h GPS time";
    for (const char *bad : {"2286 525600 137 3 : C60D", "2286 525600 137 3 " , "x 525600 137 3 : C60D",
                            "2286 525600 99 3 : C60DFFFC001FFDFFC001FFDFFDFFFFFC000001FFDFFEE3BA7BBAA63B8A",
                            "2286 -1 137 3 : C60DFFFC001FFDFFC001FFDFFDFFFFFC000001FFDFFEE3BA7BBAA63B8A"})
        EXPECT_FALSE(TextReader::ReadLine(bad)) << bad;
}

// A log whose length field is too short for its kind is refused before any field is read.
TEST(ReaderTest, ANovatelLogShorterThanItsKindIsRefused)
{
    const SbasMessage m = Messages()[0];
    // The whole body: channel, PRN and message ID (12 bytes), 29 data bytes, 3 bytes of padding.
    const std::string binary = receiver::NovatelBinary({m});
    const std::string body = binary.substr(28, 44);
    const struct {
        std::size_t length;
        int messages;
    } rows[] = {{0, 0}, {4, 0}, {8, 0}, {40, 0}, {41, 1}, {44, 1}};
    for (const auto &row : rows) {
        ReaderCounts counts;
        const auto read = Read(SourceFormat::Novatel, {receiver::NovatelLog(287, m.week, m.tow, body.substr(0, row.length))}, &counts);
        EXPECT_EQ(static_cast<int>(read.size()), row.messages) << row.length;
        EXPECT_EQ(counts.badFrames, 1 - row.messages) << row.length;
    }
}

TEST(ReaderTest, AnOverlongTextLineIsSkippedWhole)
{
    const std::string line = receiver::ToolLines({Messages()[0]}, false);
    ReaderCounts counts;
    // 300 characters ending like a message line: not read as one.
    const auto read = Read(SourceFormat::Text, {std::string(300 - line.size(), '7'), line, line}, &counts);
    EXPECT_EQ(read.size(), 1u);
    EXPECT_EQ(counts.badFrames, 1);
}

TEST(ChecksumTest, MatchTheMakersExamples)
{
    // UBX-CFG-MSG B5 62 06 01 03 00 F0 01 00, checksum FB 11 (u-blox examples); by hand:
    // CK_A 06 07 0A 0A FA FB FB, CK_B 06 0D 17 21 1B 16 11.
    EXPECT_EQ(UbxChecksum(Bytes(std::string("\x06\x01\x03\x00\xF0\x01\x00", 7)), 7), 0x11FB);
    // CRC-16/XMODEM (polynomial 0x1021, seed 0) of "123456789" is 0x31C3.
    EXPECT_EQ(SbfCrc(Bytes("123456789"), 9), 0x31C3);
    // ASCII logs printed with their CRC in NovAtel's documents.
    const std::string logs[] = {
        "BESTPOSA,COM1,0,65.5,FINESTEERING,1254,412250.000,00000000,4ca6,34084;SOL_COMPUTED,SINGLE,51.11638281392,"
        "-114.03823667672,1057.5312,-16.2713,WGS84,1.7067,1.3294,2.6578,\"\",0.000,0.000,8,8,0,0,0,0,0,0*f8a1c3e1",
        "RAWSBASFRAME2A,USB1,0,48.5,SATTIME,2209,512947.000,02000020,b39f,16809;135,160,1,0,0,3,9a0c9ffc00ffe9ffc033ffc0"
        "05ffdffc121ffc00403ba2b9b97bbb95c0*4e57856f"};
    for (const std::string &log : logs) {
        const std::size_t star = log.find('*');
        EXPECT_EQ(NovatelCrc(Bytes(log), star), std::stoul(log.substr(star + 1), nullptr, 16)) << log.substr(0, 14);
    }
}

// The real recordings, when present: each through every format and back to its own lines.
TEST(RecordingRoundTripTest, EveryFormatGivesBackTheRecordingsLines)
{
    const std::string dir = VELMAR_RECORDINGS_DIR;
    int files = 0;
    for (const char *name : {"recording-a.txt", "recording-b.txt", "recording-c.txt"}) {
        std::ifstream in(dir + "/" + name);
        if (!in)
            continue;
        ++files;
        std::vector<std::string> lines, goodParity;
        std::vector<SbasMessage> messages;
        for (std::string line; std::getline(in, line);) {
            const auto m = TextReader::ReadLine(line);
            ASSERT_TRUE(m) << line;
            messages.push_back(*m);
            lines.push_back(line);
            if (m->ParityHolds())
                goodParity.push_back(line);
        }
        for (const Format &f : kFormats) {
            const bool fullLength = std::string(f.name).find("novatel") == std::string::npos &&
                                    std::string(f.name) != "text, 58 digits";
            std::vector<std::string> back;
            for (const SbasMessage &m : Read(f.reader, {f.write(messages)})) {
                std::string r = FormatLogRecord(m.prn, m.Type(), m.week, m.tow, m.Hex());
                back.push_back(r.substr(0, r.size() - 2));
            }
            EXPECT_EQ(back, fullLength ? lines : goodParity) << name << ", " << f.name;
        }
    }
    if (files == 0)
        GTEST_SKIP() << "no recordings in " << dir;
}

} // namespace
