// Decoders that file their results by grid point or by satellite through the shared buffers.
#include "mops/mt18.h"
#include "mops/mt24.h"
#include "mops/mt25.h"
#include "mops/mt26.h"
#include "mops/mt27.h"
#include "mops/mt28.h"
#include "sbas_encoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

template <typename T>
std::unique_ptr<T> Zeroed()
{
    auto p = std::make_unique<T>();
    std::memset(p.get(), 0, sizeof(T));
    return p;
}

void Decode(TMOPSMsg &d, SbasFrame f)
{
    d.SetMessage(f.Hex());
    d.Decode();
}

TEST(MT18, GridIsLaidOutInBandOrder)
{
    auto grid = Zeroed<IGPBuffer>();
    TMT18 mt18(*grid);
    struct Case {
        int entry, lat, lon, band;
    } cases[] = {{0, -75, -180, 0},   {27, 85, -180, 0},  {200, 55, -145, 0},  {201, -85, -140, 1},
                 {1607, 55, 135, 7},  {1608, -75, 140, 8}, {1807, 55, 175, 8}, {1808, 60, -180, 9},
                 {1999, 85, 150, 9},  {2000, -60, -180, 10}, {2191, -85, 160, 10}};
    for (const auto &c : cases) {
        const IGPEntry &e = grid->entry[c.entry];
        EXPECT_EQ(e.Latitude, c.lat) << c.entry;
        EXPECT_EQ(e.Longitude, c.lon) << c.entry;
        EXPECT_EQ(e.Band, c.band) << c.entry;
        EXPECT_EQ(e.VerticalDelay, -10000.0f) << c.entry;
        EXPECT_EQ(e.GIVE, -10000.0f) << c.entry;
        EXPECT_EQ(e.InMask, 0) << c.entry;
    }
}

TEST(MT18, MaskTouchesOnlyItsBand)
{
    auto grid = Zeroed<IGPBuffer>();
    TMT18 mt18(*grid);
    for (const int band : {8, 9}) {
        sbas::IgpMaskMsg m;
        m.band = band;
        for (int i = 0; i < 201; ++i)
            m.points.insert(i);
        Decode(mt18, sbas::IgpMask(m));
    }
    EXPECT_EQ(grid->entry[1607].InMask, 0);
    EXPECT_EQ(grid->entry[1608].InMask, 1);
    EXPECT_EQ(grid->entry[1608].Index, 1608);
    EXPECT_EQ(grid->entry[1999].InMask, 1);
    EXPECT_EQ(grid->entry[2000].InMask, 0);

    sbas::IgpMaskMsg clear;
    clear.band = 8;
    clear.points = {3};
    Decode(mt18, sbas::IgpMask(clear));
    EXPECT_EQ(grid->entry[1608].InMask, 0);
    EXPECT_EQ(grid->entry[1611].InMask, 1);
    EXPECT_EQ(grid->entry[1808].InMask, 1);

    const auto before = std::make_unique<IGPBuffer>(*grid);
    SbasFrame bad(18);
    bad.Set(19, 4, 12); // a band with no grid points
    bad.Set(25, 200, -1);
    Decode(mt18, bad);
    EXPECT_EQ(std::memcmp(before.get(), grid.get(), sizeof(IGPBuffer)), 0);
}

TEST(MT26, DelaysGoToTheMaskedPointsOfTheirBlock)
{
    auto grid = Zeroed<IGPBuffer>();
    TMT18 mt18(*grid);
    sbas::IgpMaskMsg mask;
    mask.band = 3;
    for (int i = 0; i < 40; i += 1)
        mask.points.insert(2 * i); // every other point: 40 masked points
    Decode(mt18, sbas::IgpMask(mask));

    TMT26 mt26(*grid);
    sbas::IonoDelayMsg m;
    m.band = 3;
    m.block = 1; // masked points 16 to 30
    for (int n = 0; n < 15; ++n) {
        m.delay[n] = 0.125 * (n + 1);
        m.givei[n] = n;
    }
    m.delay[0] = 63.875; // raw 511
    m.delay[1] = 63.75;  // raw 510
    m.givei[2] = 15;
    Decode(mt26, sbas::IonosphericDelays(m));
    const int first = BandFirstEntry(3);
    const IGPEntry &p16 = grid->entry[first + 2 * 15];
    EXPECT_EQ(p16.VerticalDelay, 10000.0f);
    EXPECT_EQ(grid->entry[first + 2 * 16].VerticalDelay, 63.75f);
    EXPECT_EQ(grid->entry[first + 2 * 17].GIVE, 10000.0f);
    EXPECT_EQ(grid->entry[first + 2 * 17].VarGIVE, 10000.0f);
    EXPECT_EQ(grid->entry[first + 2 * 18].GIVEI, 3);
    EXPECT_FLOAT_EQ(grid->entry[first + 2 * 18].GIVE, 1.2f);
    EXPECT_FLOAT_EQ(grid->entry[first + 2 * 29].VerticalDelay, 1.875f);
    EXPECT_EQ(grid->entry[first + 2 * 14].VerticalDelay, -10000.0f); // block 0 untouched
    EXPECT_EQ(grid->entry[first + 2 * 30].VerticalDelay, -10000.0f); // block 2 untouched
    EXPECT_EQ(grid->entry[first + 2 * 16 + 1].VerticalDelay, -10000.0f); // unmasked point

    // Block 2 needs masked points 31 to 45: only 31 to 40 exist, the rest are skipped.
    m.block = 2;
    m.delay.fill(2.5);
    Decode(mt26, sbas::IonosphericDelays(m));
    EXPECT_FLOAT_EQ(grid->entry[first + 2 * 39].VerticalDelay, 2.5f);
    EXPECT_EQ(grid->entry[first + 2 * 40].VerticalDelay, -10000.0f);

    // Bands without points are ignored.
    m.band = 11;
    m.block = 0;
    Decode(mt26, sbas::IonosphericDelays(m));
    EXPECT_EQ(grid->entry[2191].VerticalDelay, -10000.0f);
}

class MaskedDecoders : public ::testing::Test {
protected:
    std::unique_ptr<PRNMaskBuffer> mask = Zeroed<PRNMaskBuffer>();
    // Mask numbers 1..n name slots 101..100+n in the current IODP's list.
    void SetMask(int iodp, int n)
    {
        mask->received = 1;
        mask->currentIODP = static_cast<uint16_t>(iodp);
        for (int k = 0; k < n; ++k)
            mask->slotList[iodp][k] = static_cast<uint16_t>(101 + k);
    }
};

TEST_F(MaskedDecoders, MT24WaitsForAMaskThenFilesFastAndLongTermBySlot)
{
    TMT24 mt24(*mask);
    sbas::MixedMsg m;
    m.blockId = 1; // mask numbers 14 to 19
    m.prc = {-256, 255.875, -0.125, 1, 2, 3};
    m.udrei = {0, 14, 15, 3, 4, 5};
    m.longTerm.velocityCode = 1;
    m.longTerm.maskNumber = {2, 0};
    m.longTerm.values[0] = {true, 200, -128, 127.875, 0.125, -1024 * std::ldexp(1.0, -31),
                            -128 * std::ldexp(1.0, -11), 127 * std::ldexp(1.0, -11), 0, std::ldexp(1.0, -39),
                            5399 * 16, 3};
    m.longTerm.iodp = 3;
    Decode(mt24, sbas::MixedCorrections(m));
    EXPECT_FALSE(mt24.Data().Fast[114].Available); // no type 1 yet

    SetMask(3, 20);
    Decode(mt24, sbas::MixedCorrections(m));
    const auto &d = mt24.Data();
    EXPECT_DOUBLE_EQ(d.Fast[114].PRC, -256);
    EXPECT_EQ(d.Fast[115].UDRE, 10000.0);
    EXPECT_EQ(d.Fast[116].VarUDRE, 20000.0);
    EXPECT_DOUBLE_EQ(d.Fast[119].PRC, 3);
    const LongTermVel1 &v = d.Vel1[102];
    EXPECT_TRUE(v.Available);
    EXPECT_EQ(v.IssueOfData, 200);
    EXPECT_DOUBLE_EQ(v.DeltaX, -128);
    EXPECT_DOUBLE_EQ(v.DeltaY, 127.875);
    EXPECT_DOUBLE_EQ(v.DeltaAf0, -1024 * std::ldexp(1.0, -31));
    EXPECT_DOUBLE_EQ(v.DeltaX_roc, -128 * std::ldexp(1.0, -11));
    EXPECT_DOUBLE_EQ(v.DeltaAf1, std::ldexp(1.0, -39));
    EXPECT_EQ(v.TODApplicability, 86384);
    EXPECT_EQ(v.IODP, 3);

    // Velocity code 0: two satellites; mask number 0 skips the second.
    m.longTerm = {};
    m.longTerm.maskNumber = {20, 0};
    m.longTerm.values[0].DeltaZ = -32;
    m.longTerm.values[0].DeltaAf0 = -512 * std::ldexp(1.0, -31);
    Decode(mt24, sbas::MixedCorrections(m));
    EXPECT_TRUE(d.Vel0[120].Available);
    EXPECT_DOUBLE_EQ(d.Vel0[120].DeltaZ, -32);
    EXPECT_DOUBLE_EQ(d.Vel0[120].DeltaAf0, -512 * std::ldexp(1.0, -31));
    EXPECT_FALSE(d.Vel0[0].Available);
}

TEST_F(MaskedDecoders, MT25HalvesByVelocityCode)
{
    SetMask(1, 30);
    TMT25 mt25(*mask);
    Decode(mt25, sbas::LongTermCorrections({}, {}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(mt25.Sat(i).InfoAvailable);
        EXPECT_EQ(mt25.Sat(i).DeltaX, 0);
    }
    for (int prn = 0; prn <= kSlots; ++prn)
        ASSERT_FALSE(mt25.Data().Vel0[prn].Available);

    sbas::LongTermHalf first; // velocity code 0, two satellites
    first.maskNumber = {3, 30};
    first.values[0].DeltaX = -32;
    first.values[1].DeltaAf0 = 511 * std::ldexp(1.0, -31);
    first.values[1].IssueOfData = 77;
    first.iodp = 1;
    sbas::LongTermHalf second; // velocity code 1
    second.velocityCode = 1;
    second.maskNumber = {5, 0};
    second.values[0].TODApplicability = 5399 * 16;
    second.values[0].DeltaAf1 = std::ldexp(1.0, -39);
    second.values[0].DeltaZ_roc = -std::ldexp(1.0, -11);
    second.iodp = 2;
    Decode(mt25, sbas::LongTermCorrections(first, second));
    EXPECT_TRUE(mt25.Sat(0).InfoAvailable);
    EXPECT_EQ(mt25.Sat(0).PRNMask, 3);
    EXPECT_DOUBLE_EQ(mt25.Sat(0).DeltaX, -32);
    EXPECT_EQ(mt25.Sat(0).IODP, 1);
    EXPECT_EQ(mt25.Sat(1).IssueOfData, 77);
    EXPECT_EQ(mt25.Sat(1).TODApplicability, 0);
    EXPECT_EQ(mt25.Sat(2).TODApplicability, 86384);
    EXPECT_DOUBLE_EQ(mt25.Sat(2).DeltaAf1, std::ldexp(1.0, -39));
    EXPECT_DOUBLE_EQ(mt25.Sat(2).DeltaZ_roc, -std::ldexp(1.0, -11));
    EXPECT_EQ(mt25.Sat(2).IODP, 2);
    EXPECT_FALSE(mt25.Sat(3).InfoAvailable);
    EXPECT_TRUE(mt25.Data().Vel0[103].Available);
    EXPECT_DOUBLE_EQ(mt25.Data().Vel0[130].DeltaAf0, 511 * std::ldexp(1.0, -31));
    EXPECT_TRUE(mt25.Data().Vel1[105].Available);

    // A mask number past the slot list files into record 0 only.
    first.maskNumber = {40, 0};
    Decode(mt25, sbas::LongTermCorrections(first, {}));
    EXPECT_TRUE(mt25.Data().Vel0[0].Available);
    EXPECT_TRUE(mt25.Sat(0).InfoAvailable);
}

TEST_F(MaskedDecoders, MT28FilesBothSatellitesButOnlyMaskedOnesByPRN)
{
    SetMask(0, 10);
    TMT28 mt28(*mask);
    std::array<TClockEphCovMatrix, 2> sat{};
    sat[0] = {4, 0, 5, 511, 1, 2, 3, -512, 511, -1, 7, 8, 9};
    sat[1] = {0, 0, 0, 10, 20, 30, 40, 1, 2, 3, 4, 5, -6};
    Decode(mt28, sbas::Covariance(sat, 0));
    const auto &last = mt28.LastCovs();
    EXPECT_EQ(last.Sat[0].MaskNumber, 4);
    EXPECT_EQ(last.Sat[0].E11, 511);
    EXPECT_EQ(last.Sat[0].E12, -512);
    EXPECT_EQ(last.Sat[0].E14, -1);
    EXPECT_EQ(last.Sat[1].E44, 40);
    EXPECT_EQ(last.Sat[1].E34, -6);
    const auto &rec = mt28.Data()[104];
    EXPECT_TRUE(rec.Available);
    EXPECT_EQ(rec.Cov.PRN, 104);
    EXPECT_EQ(rec.Cov.ScaleExponent, 5);
    EXPECT_EQ(rec.Cov.E34, 9);
    EXPECT_FALSE(mt28.Data()[0].Available); // mask number 0: no record
}

TEST(MT27, RegionsAndMessageNumbers)
{
    auto service = Zeroed<ServiceMsgBuffer>();
    TMT27 mt27(*service);
    sbas::ServiceMsg m;
    m.iods = 5;
    m.numberOfMessages = 8;
    m.messageNumber = 6;
    m.priority = 2;
    m.deltaInside = 0;
    m.deltaOutside = 15;
    m.regions = {{-128, -256, 127, 255, 1}, {10, 20, 30, 40, 0}, {-1, -2, -3, -4, 1}};
    Decode(mt27, sbas::Service(m));
    EXPECT_EQ(service->IODS, 5);
    EXPECT_EQ(service->NumberOfMessages, 8);
    const ServiceMessage &s = service->Message[6];
    EXPECT_EQ(s.Valid, 1);
    EXPECT_EQ(s.MessageNumber, 6);
    EXPECT_EQ(s.NumberOfRegions, 3);
    EXPECT_EQ(s.PriorityCode, 2);
    EXPECT_EQ(s.DeltaUDREInside, 1.0);
    EXPECT_EQ(s.DeltaUDREOutside, 100.0);
    EXPECT_EQ(s.Region[0].Latitude1, -128);
    EXPECT_EQ(s.Region[0].Longitude1, -256);
    EXPECT_EQ(s.Region[0].Longitude2, 255);
    EXPECT_EQ(s.Region[1].Longitude2, 40);
    EXPECT_EQ(s.Region[2].Longitude2, -4);
    EXPECT_EQ(s.Region[2].Shape, 1);
    EXPECT_EQ(s.Region[3].Latitude1, 0); // regions 4 and 5 untouched
    EXPECT_EQ(service->Message[0].Valid, 0);

    // Seven announced regions: five are kept, nothing is written past the record.
    SbasFrame seven(27);
    seven.Set(21, 3, 7);
    seven.Set(24, 3, 7);
    seven.Set(37 + 35 * 4, 8, 44);
    seven.Set(37 + 35 * 5, 8, 55);
    Decode(mt27, seven);
    EXPECT_EQ(service->Message[7].NumberOfRegions, 7);
    EXPECT_EQ(service->Message[7].Region[4].Latitude1, 44);
    EXPECT_EQ(service->IODS, 0);

    // No regions: Valid is left as it was.
    SbasFrame none(27);
    none.Set(21, 3, 2);
    Decode(mt27, none);
    EXPECT_EQ(service->Message[2].Valid, 0);
}

// Bit by bit, independently of the encoder's table-driven CRC.
uint32_t BitwiseCrc24Q(const std::string &hex, int bits)
{
    uint32_t crc = 0;
    for (int i = 0; i < bits; ++i) {
        const int nibble = std::stoi(hex.substr(i / 4, 1), nullptr, 16);
        const uint32_t bit = (nibble >> (3 - i % 4)) & 1;
        const uint32_t top = ((crc >> 23) & 1) ^ bit;
        crc = ((crc << 1) & 0xFFFFFF) ^ (top ? 0x864CFB : 0);
    }
    return crc;
}

uint32_t ParityOf(const std::string &hex)
{
    return static_cast<uint32_t>(std::stoul(hex.substr(56, 7), nullptr, 16) >> 2) & 0xFFFFFF; // bits 227-250
}

TEST(Encoder, FramesCarryPreambleTypeAndParity)
{
    for (int seq = 0; seq < 3; ++seq) {
        const std::string hex = sbas::PrnMask({1, 2, 120}, 3).Hex(seq);
        ASSERT_EQ(hex.size(), 64u);
        EXPECT_EQ(hex.substr(0, 2), std::string(seq == 0 ? "53" : seq == 1 ? "9A" : "C6"));
        EXPECT_EQ(ParityOf(hex), BitwiseCrc24Q(hex, 226));
        EXPECT_EQ(hex.back(), '0');
    }
    // Every single flipped bit of a message breaks its parity.
    const std::string hex = sbas::NullMessage().Hex(1);
    for (int bit = 0; bit < 226; ++bit) {
        std::string flipped = hex;
        const int v = std::stoi(flipped.substr(bit / 4, 1), nullptr, 16) ^ (8 >> (bit % 4));
        flipped[bit / 4] = "0123456789ABCDEF"[v];
        EXPECT_NE(BitwiseCrc24Q(flipped, 226), ParityOf(hex)) << bit;
    }
}

} // namespace
