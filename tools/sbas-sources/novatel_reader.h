#pragma once

#include "frame_reader.h"

#include <string>

// NovAtel OEM RAWWAASFRAME logs (message ID 287) in binary and in ASCII, as one port may carry
// both (OEM7 commands and logs reference, "Binary", "ASCII" and "RAWWAASFRAME"). A log carries
// bits 1-226 of a message, the receiver reporting only frames whose parity checks; bits
// 227-250 are rebuilt. The message's time is the log header's week and seconds.
class NovatelReader final : public FrameReader {
protected:
    bool MayStart(uint8_t byte) const override { return byte == 0xAA || byte == '#'; }
    Scan Examine(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out) override;
    std::size_t LongestFrame() const override;

private:
    Scan ExamineBinary(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out);
    Scan ExamineAscii(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out);
    void ReadAsciiLog(const std::string &log, std::vector<SbasMessage> &out);
};
