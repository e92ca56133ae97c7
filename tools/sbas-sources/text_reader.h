#pragma once

#include "frame_reader.h"

#include <string>

// Text lines of two forms, told apart line by line:
// - the message-log record, "PRN yy mm dd hh mm ss type HEX" (64 digits, the time in GPS time);
// - the SBAS log line of open GNSS tools, "week tow prn type : HEX", with 63 or 64 digits
//   (bits 1-250) or 58 digits (bits 1-226, bits 227-250 then rebuilt).
// Other lines are counted and skipped; a line longer than any of these is skipped whole.
class TextReader final : public FrameReader {
public:
    // The message a line holds, if it holds one.
    static std::optional<SbasMessage> ReadLine(const std::string &line);

protected:
    bool MayStart(uint8_t) const override { return true; }
    Scan Examine(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out) override;
    std::size_t LongestFrame() const override;

private:
    bool discarding_ = false; // inside a line that was too long, until its end
};
