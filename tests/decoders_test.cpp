// Decoders read fields at the standard's bit positions. Edge values are written with literal
// bit positions (independent of the decoders' field tables); round trips use the encoder.
#include "mops/mt06.h"
#include "mops/mt07.h"
#include "mops/mt09.h"
#include "mops/mt10.h"
#include "mops/mt12.h"
#include "mops/mt17.h"
#include "sbas_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include <cmath>

namespace {

template <typename Decoder>
Decoder Decoded(SbasFrame f)
{
    Decoder d;
    d.SetMessage(f.Hex());
    d.Decode();
    return d;
}

TEST(SbasFrame, FieldsWiderThanSixtyFourBitsExtendTheValue)
{
    struct Case {
        int start, width;
        int64_t raw;
    } cases[] = {{15, 131, -1}, {15, 200, 5}, {20, 100, -6}};
    for (const auto &c : cases) {
        SbasFrame f(0);
        f.Set(c.start, c.width, c.raw);
        const int high = c.width - 64;
        // The part above the value's 64 bits is all sign; the low 64 bits are the value itself.
        for (int bit = 0; bit < high; bit += 32) {
            const int w = std::min(32, high - bit);
            EXPECT_EQ(f.Get(c.start + bit, w), c.raw < 0 ? (int64_t{1} << w) - 1 : 0) << c.width;
        }
        EXPECT_EQ(f.Get(c.start + high + 1, 63), c.raw & std::numeric_limits<int64_t>::max()) << c.width;
    }
}

TEST(MT06, IndicatorsSelectTheUDRETableRows)
{
    for (const int udrei : {0, 13, 14, 15}) {
        SbasFrame f(6);
        for (int n = 1; n <= 51; ++n)
            f.Set(23 + 4 * (n - 1), 4, udrei);
        f.Set(17, 2, 3); // IODF of type 3
        const auto d = Decoded<TMT06>(f).Data();
        EXPECT_EQ(d.IODF3, 3);
        EXPECT_EQ(d.IODF2, 0);
        for (int n : {1, 26, 51}) {
            EXPECT_EQ(d.Slot[n - 1].UDREI, udrei);
            EXPECT_EQ(d.Slot[n - 1].UDRE, kUDRE[udrei]);
            EXPECT_EQ(d.Slot[n - 1].VarUDRE, kVarUDRE[udrei]);
        }
        EXPECT_EQ(d.Slot[51].UDRE, 0); // only 51 satellites are carried
    }
    SbasFrame f(6);
    f.Set(23, 4, 14);
    f.Set(27, 4, 15);
    const auto d = Decoded<TMT06>(f).Data();
    EXPECT_EQ(d.Slot[0].UDRE, 10000.0);
    EXPECT_EQ(d.Slot[1].VarUDRE, 20000.0);
}

TEST(MT07, LatencyIodpAndIndicators)
{
    SbasFrame f(7);
    f.Set(15, 4, 9);
    f.Set(19, 2, 2);
    f.Set(23 + 4 * 50, 4, 7); // satellite 51
    const auto d = Decoded<TMT07>(f).Data();
    EXPECT_EQ(d.SystemLatency, 9);
    EXPECT_EQ(d.IODP, 2);
    EXPECT_EQ(d.DegradationIndicator[50], 7);
    EXPECT_EQ(d.DegradationIndicator[0], 0);
    EXPECT_TRUE(d.Available[0]); // set for every carried satellite, indicator 0 included
    EXPECT_TRUE(d.Available[50]);
    EXPECT_FALSE(d.Available[51]);
}

TEST(MT09, EdgeValuesAtTheirBitPositions)
{
    SbasFrame f(9);
    f.Set(23, 13, 5400);
    f.Set(36, 4, 15);
    f.Set(40, 30, int64_t{1} << 29); // most negative X
    f.Set(70, 30, 1);
    f.Set(100, 25, -1);
    f.Set(125, 17, -1);
    f.Set(159, 18, 1);
    f.Set(197, 10, int64_t{1} << 9);
    f.Set(207, 12, 1);
    f.Set(219, 8, -1);
    const auto d = Decoded<TMT09>(f).Data();
    EXPECT_EQ(d.TODApplicability, 86400);
    EXPECT_EQ(d.URA, 15);
    EXPECT_DOUBLE_EQ(d.Xg, -42949672.96);
    EXPECT_DOUBLE_EQ(d.Yg, 0.08);
    EXPECT_DOUBLE_EQ(d.Zg, -0.4);
    EXPECT_DOUBLE_EQ(d.Xg_roc, -0.000625);
    EXPECT_DOUBLE_EQ(d.Zg_roc, 0.004);
    EXPECT_DOUBLE_EQ(d.Zg_acc, -512 * 0.0000625);
    EXPECT_DOUBLE_EQ(d.Af0, std::ldexp(1.0, -31));
    EXPECT_DOUBLE_EQ(d.Af1, -std::ldexp(1.0, -40));
}

TEST(MT10, AllFieldsAtTheirMaximum)
{
    SbasFrame f(10);
    f.Set(15, 131, -1); // bits 15-145 all ones
    const auto d = Decoded<TMT10>(f).Data();
    EXPECT_FLOAT_EQ(d.Brrc, 2.046f);
    EXPECT_FLOAT_EQ(d.Iltc_v1, 511.0f);
    EXPECT_FLOAT_EQ(d.Cer, 31.5f);
    EXPECT_FLOAT_EQ(d.Ciono_ramp, 1023 * 0.000005f);
    EXPECT_FLOAT_EQ(d.RSS_UDRE, 1.0f);
    EXPECT_FLOAT_EQ(d.RSS_iono, 1.0f);
    EXPECT_FLOAT_EQ(d.Ccovariance, 12.7f);
}

TEST(MT12, SignsAndScales)
{
    SbasFrame f(12);
    f.Set(15, 24, -1);
    f.Set(39, 32, int64_t{1} << 31); // A0 with only its top bit
    f.Set(71, 8, 255);
    f.Set(87, 8, 0xF2);
    f.Set(111, 8, 18);
    f.Set(119, 3, 5);
    f.Set(122, 20, 604799);
    f.Set(142, 10, 1023);
    f.Set(152, 1, 1);
    const auto d = Decoded<TMT12>(f).Data();
    EXPECT_FLOAT_EQ(d.A1_WNT, static_cast<float>(-std::ldexp(1.0, -50)));
    EXPECT_FLOAT_EQ(d.A0_WNT, -2.0f);
    EXPECT_EQ(d.t0t, 1044480);
    EXPECT_EQ(d.DeltaTLS, -14);
    EXPECT_EQ(d.DeltaTLSF, 18);
    EXPECT_EQ(d.UTCStandardId, 5);
    EXPECT_EQ(d.GPSTOW, 604799);
    EXPECT_EQ(d.GPSWeekNo, 1023);
    EXPECT_EQ(d.GlonassIndicator, 1);
}

TEST(MT17, HealthBitsProviderAndPositions)
{
    struct Case {
        int health;
        bool ranging, corrections, integrity;
        const char *provider;
    } cases[] = {{0x12, true, false, true, "ORVAN"}, {0x27, false, false, false, "MSAS"},
                 {0x50, true, true, true, "UNKNOWN"}, {0x00, true, true, true, "WAAS"}};
    for (const auto &c : cases) {
        SbasFrame f(17);
        f.Set(17 + 67 * 2, 8, 138); // third almanac
        f.Set(25 + 67 * 2, 8, c.health);
        const TMT17 d = Decoded<TMT17>(f);
        const TGEOAlmanac &g = d.GEO(2);
        EXPECT_EQ(g.PRN, 138);
        EXPECT_EQ(g.Ranging, c.ranging) << c.health;
        EXPECT_EQ(g.Corrections, c.corrections) << c.health;
        EXPECT_EQ(g.Integrity, c.integrity) << c.health;
        EXPECT_EQ(g.ServiceProvider, c.provider);
    }
    SbasFrame f(17);
    f.Set(33, 15, int64_t{1} << 14);
    f.Set(63, 9, 1);
    f.Set(78, 4, 0xF);
    f.Set(72 + 67, 3, 3); // second almanac's X rate
    f.Set(216, 11, 1349);
    const TMT17 d = Decoded<TMT17>(f);
    EXPECT_EQ(d.GEO(0).Xg, -42598400);
    EXPECT_EQ(d.GEO(0).Zg, 26000);
    EXPECT_EQ(d.GEO(0).Zg_roc, -60);
    EXPECT_EQ(d.GEO(1).Xg_roc, 30);
    EXPECT_EQ(d.TOD(), 86336);
}

TEST(Decoders, EmptyTextKeepsTheLastMessageAndItsRecords)
{
    TMT09 d;
    d.Decode(); // nothing assigned: nothing to decode
    EXPECT_EQ(d.Data().URA, 0);
    SbasFrame f(9);
    f.Set(36, 4, 6);
    d.SetMessage(f.Hex());
    d.Decode();
    d.SetMessage("");
    d.Decode();
    EXPECT_EQ(d.Data().URA, 6);
    d.SetMessage("C624"); // a short text reads its missing bits as zeros
    d.Decode();
    EXPECT_EQ(d.Data().URA, 0);
}

TEST(RoundTrip, StandaloneTypesFromNamedValues)
{
    TIntegrityInformation integ;
    integ.IODF2 = 0;
    integ.IODF3 = 1;
    integ.IODF4 = 2;
    integ.IODF5 = 3;
    for (int n = 0; n < 51; ++n)
        integ.Slot[n].UDREI = n % 16;
    const auto i6 = Decoded<TMT06>(sbas::Integrity(integ)).Data();
    EXPECT_EQ((std::array<int32_t, 4>{i6.IODF2, i6.IODF3, i6.IODF4, i6.IODF5}), (std::array<int32_t, 4>{0, 1, 2, 3}));
    EXPECT_EQ(i6.Slot[50].UDREI, 50 % 16);

    TFastCorDegFactors fc;
    fc.SystemLatency = 4;
    fc.IODP = 3;
    fc.DegradationIndicator[10] = 12;
    const auto f7 = Decoded<TMT07>(sbas::DegradationFactors(fc)).Data();
    EXPECT_EQ(f7.SystemLatency, 4);
    EXPECT_EQ(f7.IODP, 3);
    EXPECT_EQ(f7.DegradationIndicator[10], 12);

    // The almanac's health byte is put together by hand in the encoder: its bits, and the time
    // of day after the third almanac.
    sbas::AlmanacMsg alm;
    alm.geo[0] = {1, 120, 0, 0, 0, 0, 0, 0, true, false, true, ""};
    alm.providerId[0] = 2;
    alm.tod = 64 * 100;
    const TMT17 a = Decoded<TMT17>(sbas::GeoAlmanacs(alm));
    EXPECT_TRUE(a.GEO(0).Ranging);
    EXPECT_FALSE(a.GEO(0).Corrections);
    EXPECT_TRUE(a.GEO(0).Integrity);
    EXPECT_EQ(a.GEO(0).ServiceProvider, "MSAS");
    EXPECT_EQ(a.GEO(1).PRN, 0);
    EXPECT_EQ(a.TOD(), 6400);
}

} // namespace
