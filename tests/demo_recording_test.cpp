#include "demo_schedule.h"
#include "output/log_record.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace {

// CRC-24Q of bits 1-226, bit by bit: a path of its own, not the encoder's table.
uint32_t ParityOfBits(const std::string &hex)
{
    uint32_t crc = 0;
    for (int i = 0; i < 226; ++i) {
        const int nibble = std::stoi(hex.substr(i / 4, 1), nullptr, 16);
        const uint32_t top = ((crc >> 23) & 1) ^ ((nibble >> (3 - i % 4)) & 1);
        crc = ((crc << 1) & 0xFFFFFF) ^ (top ? 0x864CFB : 0);
    }
    return crc;
}

std::vector<std::string> BundledLines()
{
    std::ifstream in(VELMAR_DEMO_RECORDING);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(DemoRecording, EveryMessageCarriesAValidParity)
{
    const auto lines = BundledLines();
    ASSERT_EQ(lines.size(), 3600u);
    std::map<int, int> types;
    for (const auto &line : lines) {
        const auto r = ParseLogRecord(line);
        ASSERT_TRUE(r) << line;
        const uint32_t parity = static_cast<uint32_t>(std::stoul(r->hex.substr(56, 7), nullptr, 16) >> 2) & 0xFFFFFF;
        ASSERT_EQ(ParityOfBits(r->hex), parity) << line;
        ASSERT_EQ(std::stoi(r->hex.substr(2, 2), nullptr, 16) >> 2, r->type) << line;
        ++types[r->type];
    }
    for (const int type : {0, 1, 2, 3, 4, 6, 7, 9, 10, 12, 17, 18, 24, 25, 26, 27, 28, 63})
        EXPECT_GT(types[type], 0) << "type " << type;
    EXPECT_EQ(types[1], 60);
}

TEST(DemoRecording, TheGeneratorReproducesTheBundledFile)
{
    const auto lines = BundledLines();
    const auto generated = DemoRecording({});
    ASSERT_EQ(generated.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        ASSERT_EQ(generated[i] + "\r", lines[i]) << i;
}

TEST(LogRecord, FormatsGpsTimeAsACalendarDate)
{
    const std::string hex = std::string(64, 'A') + "XYZ";
    EXPECT_EQ(FormatLogRecord(120, 2, 1525, 4 * 86400 + 3723, hex), "120 09 04 02 01 02 03 2 " + std::string(64, 'A') + "\r\n");
    EXPECT_EQ(FormatLogRecord(0, 63, 1525, 0, "53FC"), "0 09 03 29 00 00 00 63 53FC\r\n");
}

TEST(LogRecord, ParsesItsOwnRecordsAndRefusesOthers)
{
    const auto r = ParseLogRecord("137 23 11 04 02 00 01 2 " + std::string(64, '5') + "\r");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->prn, 137);
    EXPECT_EQ(r->time.year, 2023);
    EXPECT_EQ(r->time.second, 1);
    EXPECT_EQ(r->type, 2);
    for (const std::string &bad : std::vector<std::string>{"", "137 23 11 04 02 00 01 2", "137 23 13 04 02 00 01 2 " + std::string(64, '5'),
                                  "137 23 11 04 02 00 01 2 " + std::string(63, '5'),
                                  "137 23 11 04 02 00 01 2 " + std::string(64, 'g'),
                                  "x 23 11 04 02 00 01 2 " + std::string(64, '5')})
        EXPECT_FALSE(ParseLogRecord(bad)) << bad;
}

} // namespace
