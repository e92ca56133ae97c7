#pragma once

#include "frame_reader.h"

// Septentrio SBF blocks (SBF reference guide, "SBF Block Header Format"): "$@", CRC (u2), ID
// (u2: block number in bits 0-12, revision in bits 13-15), Length (u2, the whole block, a
// multiple of 4), then the body. SBAS L1 messages come in GEORawL1 blocks (number 4020), timed
// by the block's own time of week and week.
class SbfReader final : public FrameReader {
protected:
    bool MayStart(uint8_t byte) const override { return byte == '$'; }
    Scan Examine(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out) override;
    std::size_t LongestFrame() const override;

private:
    void ReadGeoRawL1(const uint8_t *block, std::size_t length, std::vector<SbasMessage> &out);
};

// The SBF satellite number of an SBAS PRN and back (SBF reference guide, "Satellite ID"):
// PRN 120-140 are numbers 120-140, PRN 141-158 are numbers 198-215; 0 for anything else.
int SbfSvidOfPrn(int prn);
int SbfPrnOfSvid(int svid);
