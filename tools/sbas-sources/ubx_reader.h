#pragma once

#include "frame_reader.h"

// u-blox UBX frames (u-blox receiver description, "UBX frame
// structure"): 0xB5 0x62, class, id, payload length (U2), payload, CK_A CK_B.
//
// SBAS messages come in UBX-RXM-SFRBX (class 0x02, id 0x13) frames of gnssId 1. A receiver
// outputs a frame once its one-second message has ended, so the message began one second
// before the receiver's latest navigation epoch, which UBX-NAV-TIMEGPS (0x01 0x20) or
// UBX-RXM-RAWX (0x02 0x15) report; frames before the first epoch cannot be timed.
class UbxReader final : public FrameReader {
protected:
    bool MayStart(uint8_t byte) const override { return byte == 0xB5; }
    Scan Examine(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out) override;
    std::size_t LongestFrame() const override;

private:
    void ReadSubframe(const uint8_t *payload, std::size_t size, std::vector<SbasMessage> &out);
    void ReadTimeGps(const uint8_t *payload, std::size_t size);
    void ReadRawx(const uint8_t *payload, std::size_t size);

    bool timed_ = false;
    int epochWeek_ = 0;
    double epochSecond_ = 0; // whole second of the latest navigation epoch
};
