// Decoding checked against real broadcast frames (quoted from the recordings, or built by hand
// where the broadcast leaves a field at zero or carries no such type), with every expected value
// worked out from the frame's bits as the comments show; then a check that these frames notice a
// field read one bit late, for every field of every type.
#include "mops/aux_functions.h"
#include "mops/mt01.h"
#include "mops/mt02_05.h"
#include "mops/mt06.h"
#include "mops/mt09.h"
#include "mops/mt10.h"
#include "mops/mt12.h"
#include "mops/mt07.h"
#include "mops/mt17.h"
#include "mops/mt18.h"
#include "mops/mt24.h"
#include "mops/mt25.h"
#include "mops/mt26.h"
#include "mops/mt27.h"
#include "mops/mt28.h"
#include "overview/signal_overview.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

template <typename Record>
struct Anchor {
    const char *hex;
    Record want;
    int offset = 0; // bits to the record's fields (the second satellite of a type 28 message)
};

std::string Lower(std::string hex)
{
    for (char &c : hex)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return hex;
}

// Values equal as stored: floats went through one rounding from the exact product.
bool Same(const std::vector<double> &got, const std::vector<double> &want)
{
    for (std::size_t k = 0; k < want.size(); ++k)
        if (got[k] != want[k] && std::fabs(got[k] - want[k]) > 1e-6 * std::fabs(want[k]))
            return false;
    return got.size() == want.size();
}

// Every member by name, so that a field list filling the wrong member is seen too.
std::vector<double> ValuesOf(const TGEONavigation &d)
{
    return {double(d.TODApplicability), double(d.URA), d.Xg, d.Yg, d.Zg, d.Xg_roc, d.Yg_roc,
            d.Zg_roc, d.Xg_acc, d.Yg_acc, d.Zg_acc, d.Af0, d.Af1};
}

std::vector<double> ValuesOf(const TDegradationFactors &d)
{
    return {d.Brrc, d.Cltc_lsb, d.Cltc_v1, d.Iltc_v1, d.Cltc_v0, d.Iltc_v0, d.Cgeo_lsb, d.Cgeo_v,
            d.Igeo, d.Cer, d.Ciono_step, d.Iiono, d.Ciono_ramp, d.RSS_UDRE, d.RSS_iono, d.Ccovariance};
}

std::vector<double> ValuesOf(const TWAASNetworkTime &d)
{
    return {d.A1_WNT, d.A0_WNT, double(d.t0t), double(d.WNt), double(d.DeltaTLS), double(d.WNLSF),
            double(d.DN), double(d.DeltaTLSF), double(d.UTCStandardId), double(d.GPSTOW), double(d.GPSWeekNo),
            double(d.GlonassIndicator)};
}

std::vector<double> ValuesOf(const TGEOAlmanac &g)
{
    return {double(g.DataID), double(g.PRN), double(g.Xg), double(g.Yg), double(g.Zg),
            double(g.Xg_roc), double(g.Yg_roc), double(g.Zg_roc)};
}

std::vector<double> ValuesOf(const LongTermVel1 &v)
{
    return {double(v.IssueOfData), v.DeltaX, v.DeltaY, v.DeltaZ, v.DeltaAf0, v.DeltaX_roc, v.DeltaY_roc,
            v.DeltaZ_roc, v.DeltaAf1, double(v.TODApplicability), double(v.IODP)};
}

std::vector<double> ValuesOf(const LongTermVel0 &v)
{
    return {double(v.IssueOfData), v.DeltaX, v.DeltaY, v.DeltaZ, v.DeltaAf0};
}

std::vector<double> ValuesOf(const TClockEphCovMatrix &c)
{
    return {double(c.MaskNumber), double(c.ScaleExponent), double(c.E11), double(c.E22), double(c.E33),
            double(c.E44), double(c.E12), double(c.E13), double(c.E14), double(c.E23), double(c.E24),
            double(c.E34)};
}

std::vector<double> ValuesOf(const TIntegrityInformation &d)
{
    return {double(d.IODF2), double(d.IODF3), double(d.IODF4), double(d.IODF5)};
}

std::vector<double> ValuesOf(const SlotIntegrity &s)
{
    return {s.UDREI, s.UDRE, s.VarUDRE};
}

std::vector<double> ValuesOf(const TFastCorDegFactors &d)
{
    return {double(d.SystemLatency), double(d.IODP)};
}

std::vector<double> ValuesOf(const SatelliteDegradation &s)
{
    return {double(s.Indicator)};
}

std::vector<double> ValuesOf(const IgpMaskHeader &h)
{
    return {double(h.BandCount), double(h.Band), double(h.IODI)};
}

std::vector<double> ValuesOf(const IGPEntry &e)
{
    return {double(e.InMask),    double(e.Index), double(e.Latitude), double(e.Longitude), double(e.Band),
            e.VerticalDelay, double(e.GIVEI), e.GIVE, e.VarGIVE};
}

std::vector<double> ValuesOf(const IonoDelayHeader &h)
{
    return {double(h.Band), double(h.BlockID), double(h.IODI)};
}

std::vector<double> ValuesOf(const ServiceHeader &h)
{
    return {double(h.IODS),         double(h.NumberOfMessages), double(h.MessageNumber), double(h.NumberOfRegions),
            double(h.PriorityCode), double(h.DeltaInside),      double(h.DeltaOutside)};
}

std::vector<double> ValuesOf(const ServiceRegion &r)
{
    return {double(r.Latitude1), double(r.Longitude1), double(r.Latitude2), double(r.Longitude2), double(r.Shape)};
}

// Type 9: t0 x 16 s, URA raw, X and Y x 0.08 m, Z x 0.4 m, rates x 0.000625 (X, Y) and 0.004 m/s
// (Z), accelerations x 0.0000125 (X, Y) and 0.0000625 m/s^2 (Z), a_Gf0 x 2^-31 s, a_Gf1 x 2^-40.
const std::vector<Anchor<TGEONavigation>> kGeoNavigation = {
    // recording-c.txt line 9
    {"9A27F8389C1EC820D3E5CDAC3FF6F710096FDFFC000FFC803004160B70DED300",
     // t0: bits 23-35 = 0000111000100 = 452 x 16
     // URA: bits 36-39 = 1110 = 14 x 1
     // X: bits 40-69 = 000011110110010000010000011010 = 64554010 x 0.08
     // Y: bits 70-99 = 011111001011100110110101100001 = 523136353 x 0.08
     // Z: bits 100-124 = 1111111110110111101110001 = -37007 x 0.4
     // Xdot: bits 125-141 = 00000000100101101 = 301 x 0.000625
     // Ydot: bits 142-158 = 11111011111111111 = -2049 x 0.000625
     // Zdot: bits 159-176 = 000000000000001111 = 15 x 0.004
     // Xacc: bits 177-186 = 1111110010 = -14 x 0.0000125
     // Yacc: bits 187-196 = 0000000011 = 3 x 0.0000125
     // Zacc: bits 197-206 = 0000000001 = 1 x 0.0000625
     // af0: bits 207-218 = 000001011000 = 88 x 2^-31
     // af1: bits 219-226 = 00101101 = 45 x 2^-40
     {7232, 14, 5164320.8, 41850908.24, -14802.8, 0.188125, -1.280625, 0.06, -0.000175, 0.0000375, 0.0000625, 88 * 0x1p-31, 45 * 0x1p-40}},
    // recording-a.txt line 30
    {"9A2570389F68C3F8032295B7600E97FFD4EFDFC4027A0000000200000C84CC40",
     // t0: bits 23-35 = 0000111000100 = 452 x 16
     // URA: bits 36-39 = 1111 = 15 x 1
     // X: bits 40-69 = 101101000110000111111100000000 = -317161728 x 0.08
     // Y: bits 70-99 = 011001000101001010110110111011 = 420785595 x 0.08
     // Z: bits 100-124 = 0000000001110100101111111 = 59775 x 0.4
     // Xdot: bits 125-141 = 11111101010011101 = -1379 x 0.000625
     // Ydot: bits 142-158 = 11111011111110001 = -2063 x 0.000625
     // Zdot: bits 159-176 = 000000001001111010 = 634 x 0.004
     // Xacc: bits 177-186 = 0000000000 = 0 x 0.0000125
     // Yacc: bits 187-196 = 0000000000 = 0 x 0.0000125
     // Zacc: bits 197-206 = 0000000000 = 0 x 0.0000625
     // af0: bits 207-218 = 100000000000 = -2048 x 2^-31
     // af1: bits 219-226 = 00000000 = 0 x 2^-40
     {7232, 15, -25372938.24, 33662847.6, 23910.0, -0.861875, -1.289375, 2.536, 0.0, 0.0, 0.0, -2048 * 0x1p-31, 0 * 0x1p-40}},
    // recording-b.txt line 75
    {"9A24B438DF35F9F86255F551C000000000000000000000000000000020658400",
     // t0: bits 23-35 = 0000111000110 = 454 x 16
     // URA: bits 36-39 = 1111 = 15 x 1
     // X: bits 40-69 = 100110101111110011111100001100 = -423674100 x 0.08
     // Y: bits 70-99 = 010010101011111010101010001110 = 313502350 x 0.08
     // Z: bits 100-124 = 0000000000000000000000000 = 0 x 0.4
     // Xdot: bits 125-141 = 00000000000000000 = 0 x 0.000625
     // Ydot: bits 142-158 = 00000000000000000 = 0 x 0.000625
     // Zdot: bits 159-176 = 000000000000000000 = 0 x 0.004
     // Xacc: bits 177-186 = 0000000000 = 0 x 0.0000125
     // Yacc: bits 187-196 = 0000000000 = 0 x 0.0000125
     // Zacc: bits 197-206 = 0000000000 = 0 x 0.0000625
     // af0: bits 207-218 = 000000000000 = 0 x 2^-31
     // af1: bits 219-226 = 00000000 = 0 x 2^-40
     {7264, 15, -33893928.0, 25080188.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0 * 0x1p-31, 0 * 0x1p-40}},
};

// Type 10: every field unsigned, raw x its unit.
const std::vector<Anchor<TDegradationFactors>> kDegradation = {
    // recording-a.txt line 48
    {"9A28360984C80130644DC538005A24B00000000000000000000000003FC5D840",
     // Brrc: bits 15-24 = 0000110110 = 54 x 0.002
     // Cltc_lsb: bits 25-34 = 0000100110 = 38 x 0.002
     // Cltc_v1: bits 35-44 = 0001001100 = 76 x 0.00005
     // Iltc_v1: bits 45-53 = 100000000 = 256 x 1
     // Cltc_v0: bits 54-63 = 0010011000 = 152 x 0.002
     // Iltc_v0: bits 64-72 = 001100100 = 100 x 1
     // Cgeo_lsb: bits 73-82 = 0100110111 = 311 x 0.0005
     // Cgeo_v: bits 83-92 = 0001010011 = 83 x 0.00005
     // Igeo: bits 93-101 = 100000000 = 256 x 1
     // Cer: bits 102-107 = 000010 = 2 x 0.5
     // Ciono_step: bits 108-117 = 1101000100 = 836 x 0.001
     // Iiono: bits 118-126 = 100101100 = 300 x 1
     // Ciono_ramp: bits 127-136 = 0000000000 = 0 x 0.000005
     // RSS_UDRE: bits 137-137 = 0 = 0 x 1
     // RSS_iono: bits 138-138 = 0 = 0 x 1
     // Ccovariance: bits 139-145 = 0000000 = 0 x 0.1
     {0.108f, 0.076f, 0.0038f, 256.0f, 0.304f, 100.0f, 0.1555f, 0.00415f, 256.0f, 1.0f, 0.836f, 300.0f, 0.0f, 0.0f, 0.0f, 0.0f}},
    // recording-b.txt line 50
    {"5328002CC9C3C3BE78589903C0148CB00000000000000000000000003CA3EA80",
     // Brrc: bits 15-24 = 0000000000 = 0 x 0.002
     // Cltc_lsb: bits 25-34 = 0010110011 = 179 x 0.002
     // Cltc_v1: bits 35-44 = 0010011100 = 156 x 0.00005
     // Iltc_v1: bits 45-53 = 001111000 = 120 x 1
     // Cltc_v0: bits 54-63 = 0111011111 = 479 x 0.002
     // Iltc_v0: bits 64-72 = 001111000 = 120 x 1
     // Cgeo_lsb: bits 73-82 = 0101100010 = 354 x 0.0005
     // Cgeo_v: bits 83-92 = 0110010000 = 400 x 0.00005
     // Igeo: bits 93-101 = 001111000 = 120 x 1
     // Cer: bits 102-107 = 000000 = 0 x 0.5
     // Ciono_step: bits 108-117 = 1010010001 = 657 x 0.001
     // Iiono: bits 118-126 = 100101100 = 300 x 1
     // Ciono_ramp: bits 127-136 = 0000000000 = 0 x 0.000005
     // RSS_UDRE: bits 137-137 = 0 = 0 x 1
     // RSS_iono: bits 138-138 = 0 = 0 x 1
     // Ccovariance: bits 139-145 = 0000000 = 0 x 0.1
     {0.0f, 0.358f, 0.0078f, 120.0f, 0.958f, 120.0f, 0.177f, 0.02f, 120.0f, 0.0f, 0.657f, 300.0f, 0.0f, 0.0f, 0.0f, 0.0f}},
    // recording-c.txt line 3
    {"9A28360984C80130644DC53800DDC4B00000000000000000000000001005F7C0",
     // Brrc: bits 15-24 = 0000110110 = 54 x 0.002
     // Cltc_lsb: bits 25-34 = 0000100110 = 38 x 0.002
     // Cltc_v1: bits 35-44 = 0001001100 = 76 x 0.00005
     // Iltc_v1: bits 45-53 = 100000000 = 256 x 1
     // Cltc_v0: bits 54-63 = 0010011000 = 152 x 0.002
     // Iltc_v0: bits 64-72 = 001100100 = 100 x 1
     // Cgeo_lsb: bits 73-82 = 0100110111 = 311 x 0.0005
     // Cgeo_v: bits 83-92 = 0001010011 = 83 x 0.00005
     // Igeo: bits 93-101 = 100000000 = 256 x 1
     // Cer: bits 102-107 = 000110 = 6 x 0.5
     // Ciono_step: bits 108-117 = 1110111000 = 952 x 0.001
     // Iiono: bits 118-126 = 100101100 = 300 x 1
     // Ciono_ramp: bits 127-136 = 0000000000 = 0 x 0.000005
     // RSS_UDRE: bits 137-137 = 0 = 0 x 1
     // RSS_iono: bits 138-138 = 0 = 0 x 1
     // Ccovariance: bits 139-145 = 0000000 = 0 x 0.1
     {0.108f, 0.076f, 0.0038f, 256.0f, 0.304f, 100.0f, 0.1555f, 0.00415f, 256.0f, 3.0f, 0.952f, 300.0f, 0.0f, 0.0f, 0.0f, 0.0f}},
    // made by hand, parity bits left 0: raw values 1000, 5, 341, 300, 682, 120, 9, 1, 60, 21, 100, 300, 2, 1, 0, 101
    {"532BE8015559655478024011E2A324B002B28000000000000000000000000000",
     // Brrc: bits 15-24 = 1111101000 = 1000 x 0.002
     // Cltc_lsb: bits 25-34 = 0000000101 = 5 x 0.002
     // Cltc_v1: bits 35-44 = 0101010101 = 341 x 0.00005
     // Iltc_v1: bits 45-53 = 100101100 = 300 x 1
     // Cltc_v0: bits 54-63 = 1010101010 = 682 x 0.002
     // Iltc_v0: bits 64-72 = 001111000 = 120 x 1
     // Cgeo_lsb: bits 73-82 = 0000001001 = 9 x 0.0005
     // Cgeo_v: bits 83-92 = 0000000001 = 1 x 0.00005
     // Igeo: bits 93-101 = 000111100 = 60 x 1
     // Cer: bits 102-107 = 010101 = 21 x 0.5
     // Ciono_step: bits 108-117 = 0001100100 = 100 x 0.001
     // Iiono: bits 118-126 = 100101100 = 300 x 1
     // Ciono_ramp: bits 127-136 = 0000000010 = 2 x 0.000005
     // RSS_UDRE: bits 137-137 = 1 = 1 x 1
     // RSS_iono: bits 138-138 = 0 = 0 x 1
     // Ccovariance: bits 139-145 = 1100101 = 101 x 0.1
     {2.0f, 0.01f, 0.01705f, 300.0f, 1.364f, 120.0f, 0.0045f, 0.00005f, 60.0f, 10.5f, 0.1f, 300.0f, 0.00001f, 1.0f, 0.0f, 10.1f}},
};

// Type 12: A1 x 2^-50 s/s and A0 x 2^-30 s (two's complement), t0t x 4096 s, the rest whole.
const std::vector<Anchor<TWAASNetworkTime>> kNetworkTime = {
    // recording-b.txt line 166 (all 17 type 12 messages of the recording are this one)
    {"C630000000000000000000000000038000000000000000000000000024ECC840",
     // A1: bits 15-38 = 000000000000000000000000 = 0 x 2^-50
     // A0: bits 39-70 = 00000000000000000000000000000000 = 0 x 2^-30
     // t0t: bits 71-78 = 00000000 = 0 x 4096
     // WNt: bits 79-86 = 00000000 = 0 x 1
     // dtLS: bits 87-94 = 00000000 = 0 x 1
     // WNLSF: bits 95-102 = 00000000 = 0 x 1
     // DN: bits 103-110 = 00000000 = 0 x 1
     // dtLSF: bits 111-118 = 00000000 = 0 x 1
     // UTCid: bits 119-121 = 111 = 7 x 1
     // TOW: bits 122-141 = 00000000000000000000 = 0 x 1
     // WN: bits 142-151 = 0000000000 = 0 x 1
     // Glonass: bits 152-152 = 0 = 0 x 1
     {0 * 0x1p-50, 0 * 0x1p-30, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0}},
    // made by hand, parity bits left 0
    {"9A33FFFFF41D6F34556BBC4A241C48AA3001DF00000000000000000000000000",
     // A1: bits 15-38 = 111111111111111111111101 = -3 x 2^-50
     // A0: bits 39-70 = 00000111010110111100110100010101 = 123456789 x 2^-30
     // t0t: bits 71-78 = 01011010 = 90 x 4096
     // WNt: bits 79-86 = 11101111 = 239 x 1
     // dtLS: bits 87-94 = 00010010 = 18 x 1
     // WNLSF: bits 95-102 = 10001001 = 137 x 1
     // DN: bits 103-110 = 00000111 = 7 x 1
     // dtLSF: bits 111-118 = 00010010 = 18 x 1
     // UTCid: bits 119-121 = 001 = 1 x 1
     // TOW: bits 122-141 = 01010100011000000000 = 345600 x 1
     // WN: bits 142-151 = 0011101111 = 239 x 1
     // Glonass: bits 152-152 = 1 = 1 x 1
     {-3 * 0x1p-50, 123456789 * 0x1p-30, 368640, 239, 18, 137, 7, 18, 1, 345600, 239, 1}},
};

// Type 17: three almanacs 67 bits apart; X and Y x 2600 m, Z x 26000 m, rates x 10 (X, Y) and
// 60 m/s (Z), all two's complement.
const std::vector<Anchor<TGEOAlmanac>> kAlmanacs = {
    // recording-a.txt line 101, first almanac (offset 0)
    {"53448921B3C2CA4C020000000000000000000000000000000000001CB2305180",
     // Data ID: bits 15-16 = 00 = 0 x 1
     // PRN: bits 17-24 = 10001001 = 137 x 1
     // X: bits 33-47 = 101100111100001 = -9759 x 2600
     // Y: bits 48-62 = 011001010010011 = 12947 x 2600
     // Z: bits 63-71 = 000000001 = 1 x 26000
     // X rate: bits 72-74 = 000 = 0 x 10
     // Y rate: bits 75-77 = 000 = 0 x 10
     // Z rate: bits 78-81 = 0000 = 0 x 60
     // health bits 25-32 = 0010 0001: provider 2, ranging off
     {0, 137, -25373400, 33662200, 26000, 0, 0, 0, false, true, true, "MSAS"}, 0},
    // recording-c.txt line 185, second almanac (offset 67 bits)
    {"53447F3048B4CFB00000100601F09F70FFC00210C3E153F38FF0001C5458AC40",
     // Data ID: bits 82-83 = 00 = 0 x 1
     // PRN: bits 84-91 = 10000000 = 128 x 1
     // X: bits 100-114 = 000011111000010 = 1986 x 2600
     // Y: bits 115-129 = 011111011100001 = 16097 x 2600
     // Z: bits 130-138 = 111111111 = -1 x 26000
     // X rate: bits 139-141 = 000 = 0 x 10
     // Y rate: bits 142-144 = 000 = 0 x 10
     // Z rate: bits 145-148 = 0000 = 0 x 60
     // health bits 92-99 = 0011 0000: provider 3, every service on
     {0, 128, 5163600, 41852200, -26000, 0, 0, 0, true, true, true, "UNKNOWN"}, 67},
    // made by hand, parity bits left 0: the broadcast almanacs have no rates (offset 0)
    {"C6458512F65C58BB675280000000000000000000000000000000000000000000",
     // Data ID: bits 15-16 = 01 = 1 x 1
     // PRN: bits 17-24 = 10000101 = 133 x 1
     // X: bits 33-47 = 111101100101110 = -1234 x 2600
     // Y: bits 48-62 = 001011000101110 = 5678 x 2600
     // Z: bits 63-71 = 110110011 = -77 x 26000
     // X rate: bits 72-74 = 101 = -3 x 10
     // Y rate: bits 75-77 = 010 = 2 x 10
     // Z rate: bits 78-81 = 0101 = 5 x 60
     // health bits 25-32 = 0001 0010: provider 1, corrections off
     {1, 133, -3208400, 14762800, -2002000, -30, 20, 300, true, false, true, "ORVAN"}, 0},
};

// Types 24 and 25, the long-term half after its velocity-code bit (the offset is that bit).
// Velocity code 1: dX, dY, dZ x 0.125 m, dAf0 x 2^-31 s, rates x 2^-11 m/s, dAf1 x 2^-39 s/s,
// TOD x 16 s. Velocity code 0: two satellites 51 bits apart, dX, dY, dZ x 0.125 m, dAf0 x 2^-31 s.
const std::vector<Anchor<LongTermVel1>> kLongTermVel1 = {
    // recording-c.txt line 424, second half (velocity code 1) (offset 121 bits)
    {"C66652D007FCFF83E981818081877BB2ABFD8147EA029FE0402021DEC3C01840",
     // IOD: bits 128-135 = 01010101 = 85 x 1
     // dX: bits 136-146 = 11111110110 = -10 x 0.125
     // dY: bits 147-157 = 00000101000 = 40 x 0.125
     // dZ: bits 158-168 = 11111101010 = -22 x 0.125
     // dAf0: bits 169-179 = 00000010100 = 20 x 2^-31
     // dX rate: bits 180-187 = 11111111 = -1 x 2^-11
     // dY rate: bits 188-195 = 00000010 = 2 x 2^-11
     // dZ rate: bits 196-203 = 00000001 = 1 x 2^-11
     // dAf1: bits 204-211 = 00000001 = 1 x 2^-39
     // TOD: bits 212-224 = 0000111011110 = 478 x 16
     // IODP: bits 225-226 = 11 = 3 x 1
     {true, 85, -1.25, 5.0, -2.75, 20 * 0x1p-31, -1 * 0x1p-11, 2 * 0x1p-11, 1 * 0x1p-11, 1 * 0x1p-39, 7648, 3}, 121},
};
const std::vector<Anchor<LongTermVel0>> kLongTermVel0 = {
    // recording-a.txt line 16, first half, first satellite (offset 15 bits)
    {"C66478D80805FB00400000000000060000000000000000000000000017CBF400",
     // IOD: bits 22-29 = 00011011 = 27 x 1
     // dX: bits 30-38 = 000000010 = 2 x 0.125
     // dY: bits 39-47 = 000000010 = 2 x 0.125
     // dZ: bits 48-56 = 111111011 = -5 x 0.125
     // dAf0: bits 57-66 = 0000000001 = 1 x 2^-31
     {true, 27, 0.25, 0.25, -0.625, 1 * 0x1p-31}, 15},
    // recording-b.txt line 4, first half, first satellite (offset 15 bits)
    {"C664E6C8000000FD05550000001F48288800000000161500000007EA35866440",
     // IOD: bits 22-29 = 11011001 = 217 x 1
     // dX: bits 30-38 = 000000000 = 0 x 0.125
     // dY: bits 39-47 = 000000000 = 0 x 0.125
     // dZ: bits 48-56 = 000000000 = 0 x 0.125
     // dAf0: bits 57-66 = 1111110100 = -12 x 2^-31
     {true, 217, 0.0, 0.0, 0.0, -12 * 0x1p-31}, 15},
    // recording-b.txt line 4, first half, second satellite (offset 66 bits)
    {"C664E6C8000000FD05550000001F48288800000000161500000007EA35866440",
     // IOD: bits 73-80 = 01010101 = 85 x 1
     // dX: bits 81-89 = 000000000 = 0 x 0.125
     // dY: bits 90-98 = 000000000 = 0 x 0.125
     // dZ: bits 99-107 = 000000000 = 0 x 0.125
     // dAf0: bits 108-117 = 1111101001 = -23 x 2^-31
     {true, 85, 0.0, 0.0, 0.0, -23 * 0x1p-31}, 66},
};

// Type 28: the first satellite's fields from bit 17, the second's 105 bits later; E11 to E44
// unsigned, the elements off the diagonal two's complement. The PRN is not in the message.
struct CovarianceFrame {
    const char *hex;
    std::array<TClockEphCovMatrix, 2> want;
};
const std::vector<CovarianceFrame> kCovariance = {
    // recording-a.txt line 22
    {"C6735D0803014047FC007F5FCFF5F7A48461F13023FF017FEFD3E8FC9AFFDAC0",
     // first Mask: bits 17-22 = 010111 = 23
     // first ScaleExp: bits 23-25 = 010 = 2
     // first E11: bits 26-34 = 000100000 = 32
     // first E22: bits 35-43 = 000011000 = 24
     // first E33: bits 44-52 = 000010100 = 20
     // first E44: bits 53-61 = 000001000 = 8
     // first E12: bits 62-71 = 1111111110 = -2
     // first E13: bits 72-81 = 0000000000 = 0
     // first E14: bits 82-91 = 1111111010 = -6
     // first E23: bits 92-101 = 1111111001 = -7
     // first E24: bits 102-111 = 1111111010 = -6
     // first E34: bits 112-121 = 1111101111 = -17
     // second Mask: bits 122-127 = 010010 = 18
     // second ScaleExp: bits 128-130 = 010 = 2
     // second E11: bits 131-139 = 000100011 = 35
     // second E22: bits 140-148 = 000011111 = 31
     // second E33: bits 149-157 = 000100110 = 38
     // second E44: bits 158-166 = 000001000 = 8
     // second E12: bits 167-176 = 1111111111 = -1
     // second E13: bits 177-186 = 0000000101 = 5
     // second E14: bits 187-196 = 1111111110 = -2
     // second E23: bits 197-206 = 1111110100 = -12
     // second E24: bits 207-216 = 1111101000 = -24
     // second E34: bits 217-226 = 1111110010 = -14
     {{{23, 0, 2, 32, 24, 20, 8, -2, 0, -6, -7, -6, -17}, {18, 0, 2, 35, 31, 38, 8, -1, 5, -2, -12, -24, -14}}}},
    // recording-c.txt line 10
    {"C67364C45046A087F1D401C1A7FA2E365CB4E7184059D8FA7DB445DD3A79D280",
     // first Mask: bits 17-22 = 011001 = 25
     // first ScaleExp: bits 23-25 = 001 = 1
     // first E11: bits 26-34 = 100010001 = 273
     // first E22: bits 35-43 = 010000010 = 130
     // first E33: bits 44-52 = 001101010 = 106
     // first E44: bits 53-61 = 000010000 = 16
     // first E12: bits 62-71 = 1111111000 = -8
     // first E13: bits 72-81 = 1110101000 = -88
     // first E14: bits 82-91 = 0000001110 = 14
     // first E23: bits 92-101 = 0000110100 = 52
     // first E24: bits 102-111 = 1111111101 = -3
     // first E34: bits 112-121 = 0001011100 = 92
     // second Mask: bits 122-127 = 011011 = 27
     // second ScaleExp: bits 128-130 = 001 = 1
     // second E11: bits 131-139 = 011100101 = 229
     // second E22: bits 140-148 = 101001110 = 334
     // second E33: bits 149-157 = 011100011 = 227
     // second E44: bits 158-166 = 000010000 = 16
     // second E12: bits 167-176 = 0001011001 = 89
     // second E13: bits 177-186 = 1101100011 = -157
     // second E14: bits 187-196 = 1110100111 = -89
     // second E23: bits 197-206 = 1101101101 = -147
     // second E24: bits 207-216 = 0001000101 = 69
     // second E34: bits 217-226 = 1101110100 = -140
     {{{25, 0, 1, 273, 130, 106, 16, -8, -88, 14, 52, -3, 92}, {27, 0, 1, 229, 334, 227, 16, 89, -157, -89, -147, 69, -140}}}},
    // recording-c.txt line 81
    {"9A7328E9B074E08737C76D5DB7AF83C7402010080400000000000000095B2580",
     // first Mask: bits 17-22 = 001010 = 10
     // first ScaleExp: bits 23-25 = 001 = 1
     // first E11: bits 26-34 = 110100110 = 422
     // first E22: bits 35-43 = 110000011 = 387
     // first E33: bits 44-52 = 101001110 = 334
     // first E44: bits 53-61 = 000010000 = 16
     // first E12: bits 62-71 = 1110011011 = -101
     // first E13: bits 72-81 = 1110001110 = -114
     // first E14: bits 82-91 = 1101101010 = -150
     // first E23: bits 92-101 = 1110110110 = -74
     // first E24: bits 102-111 = 1111010111 = -41
     // first E34: bits 112-121 = 1100000111 = -249
     // second Mask: bits 122-127 = 100011 = 35
     // second ScaleExp: bits 128-130 = 101 = 5
     // second E11: bits 131-139 = 000000001 = 1
     // second E22: bits 140-148 = 000000001 = 1
     // second E33: bits 149-157 = 000000001 = 1
     // second E44: bits 158-166 = 000000001 = 1
     // second E12: bits 167-176 = 0000000000 = 0
     // second E13: bits 177-186 = 0000000000 = 0
     // second E14: bits 187-196 = 0000000000 = 0
     // second E23: bits 197-206 = 0000000000 = 0
     // second E24: bits 207-216 = 0000000000 = 0
     // second E34: bits 217-226 = 0000000000 = 0
     {{{10, 0, 1, 422, 387, 334, 16, -101, -114, -150, -74, -41, -249}, {35, 0, 5, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0}}}},
};

std::vector<Anchor<TClockEphCovMatrix>> CovarianceAnchors()
{
    std::vector<Anchor<TClockEphCovMatrix>> anchors;
    for (const CovarianceFrame &f : kCovariance)
        for (int s = 0; s < 2; ++s)
            anchors.push_back({f.hex, f.want[static_cast<std::size_t>(s)], mt28::kSecondSatellite * s});
    return anchors;
}

// Types 2 to 5 and a type 0 with corrections.
struct FastCorrectionFrame {
    const char *hex;
    int iodf, iodp;
    std::array<double, 13> prc;
    std::array<int, 13> udrei;
};
const std::vector<FastCorrectionFrame> kFastCorrections = {
    // recording-a.txt line 2: type 2
    {"5308DFFDFFDFFDFFC001FFDFFDFFDFFDFFDFFDFFC003BBBA3BBBBBBA1EB6CD80",
     // IODF bits 15-16 = 00; IODP bits 17-18 = 11
     // PRC bits 19 + 12i, 12 bits each, two's complement x 0.125 m:
     // 011111111111=2047 011111111111=2047 011111111111=2047 011111111111=2047 000000000000=0
     // 011111111111=2047 011111111111=2047 011111111111=2047 011111111111=2047 011111111111=2047
     // 011111111111=2047 011111111111=2047 000000000000=0
     // UDREI bits 175 + 4i, 4 bits each: 1110 1110 1110 1110 1000 1110 1110 1110 1110 1110 1110 1110 1000
     0, 3, {255.875, 255.875, 255.875, 255.875, 0.0, 255.875, 255.875, 255.875, 255.875, 255.875, 255.875, 255.875, 0.0},
     {14, 14, 14, 14, 8, 14, 14, 14, 14, 14, 14, 14, 8}},
    // recording-b.txt line 1: type 3
    {"C60D000000000000002801BFEFFEFFEFFEC033F8FF8FBBB9DDFBBA5B96DF7340",
     // IODF bits 15-16 = 01; IODP bits 17-18 = 00
     // PRC bits 19 + 12i, 12 bits each, two's complement x 0.125 m:
     // 000000000000=0 000000000000=0 000000000000=0 000000000000=0 000000001010=10 000000000110=6
     // 111111111011=-5 111111111011=-5 111111111011=-5 111111111011=-5 000000001100=12 111111100011=-29
     // 111111100011=-29
     // UDREI bits 175 + 4i, 4 bits each: 1110 1110 1110 1110 0111 0111 0111 1110 1110 1110 1001 0110 1110
     1, 0, {0.0, 0.0, 0.0, 0.0, 1.25, 0.75, -0.625, -0.625, -0.625, -0.625, 1.5, -3.625, -3.625},
     {14, 14, 14, 14, 7, 7, 7, 14, 14, 14, 9, 6, 14}},
    // recording-b.txt line 3: type 0
    {"9A00000000000000005C03803803BFFBFF8040034037BBB99BBAB99FBE809800",
     // IODF bits 15-16 = 00; IODP bits 17-18 = 00
     // PRC bits 19 + 12i, 12 bits each, two's complement x 0.125 m:
     // 000000000000=0 000000000000=0 000000000000=0 000000000000=0 000000010111=23 000000001110=14
     // 000000001110=14 000000001110=14 111111111110=-2 111111111110=-2 000000010000=16 000000001101=13
     // 000000001101=13
     // UDREI bits 175 + 4i, 4 bits each: 1110 1110 1110 1110 0110 0110 1110 1110 1010 1110 0110 0111 1110
     0, 0, {0.0, 0.0, 0.0, 0.0, 2.875, 1.75, 1.75, 1.75, -0.25, -0.25, 2.0, 1.625, 1.625},
     {14, 14, 14, 14, 6, 6, 14, 14, 10, 14, 6, 7, 14}},
    // recording-c.txt, 02:00:05: type 4
    {"9A12FFD81E0005FFDFFFFE1FFCB24C99FFDFFDFFDFFDF17B9BFBBFFFD7135F80",
     // IODF bits 15-16 = 10; IODP bits 17-18 = 11
     // PRC bits 19 + 12i, 12 bits each, two's complement x 0.125 m:
     // 111111110110=-10 000001111000=120 000000000001=1 011111111111=2047 011111111111=2047 111111111000=-8
     // 011111111111=2047 001011001001=713 001100100110=806 011111111111=2047 011111111111=2047
     // 011111111111=2047 011111111111=2047
     // UDREI bits 175 + 4i, 4 bits each: 0111 1100 0101 1110 1110 0110 1111 1110 1110 1111 1111 1111 1111
     2, 3, {-1.25, 15.0, 0.125, 255.875, 255.875, -1.0, 255.875, 89.125, 100.75, 255.875, 255.875, 255.875, 255.875},
     {7, 12, 5, 14, 14, 6, 15, 14, 14, 15, 15, 15, 15}},
    // made by hand, parity bits left 0: type 5, which no recording carries
    {"9A174007FFDFFE000000033FD04B3B5100300001DFFBFB72EA61D950C0000000",
     // type bits 9-14 = 000101 = 5; IODF bits 15-16 = 11; IODP bits 17-18 = 01
     // PRC bits 19 + 12i, 12 bits each, two's complement x 0.125 m:
     // 000000000001=1 111111111111=-1 011111111111=2047 100000000000=-2048 000000000000=0
     // 000000001100=12 111111110100=-12 000100101100=300 111011010100=-300 010000000000=1024
     // 110000000000=-1024 000000000111=7 011111111110=2046
     // UDREI bits 175 + 4i, 4 bits each: 1111 1110 1101 1100 1011 1010 1001 1000 0111 0110 0101 0100 0011
     3, 1, {0.125, -0.125, 255.875, -256.0, 0.0, 1.5, -1.5, 37.5, -37.5, 128.0, -128.0, 0.875, 255.75},
     {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3}},
};

// Type 1: slot n is bit 14 + n, the IODP bits 225-226.
struct MaskFrame {
    const char *hex;
    int iodp;
    std::vector<int> slots;
};
const std::vector<MaskFrame> kMasks = {
    // recording-a.txt line 11: digits 4-12 "7FFFFFFFC" hold bits 15-46 all set (slots 1-32);
    // digit 38 "2" holds bit 151 (slot 137); IODP bits 225-226 of digit 57 "D" = 11.
    {"5307FFFFFFFC00000000000000000000000002000000000000000000D85921C0", 3,
     {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
      18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 137}},
    // recording-b.txt line 23: slots 1-32 as above; digit 34 "1" holds bit 136 (slot 122);
    // digit 57 "2" = 0010, IODP 00.
    {"5307FFFFFFFC000000000000000000000100000000000000000000002FAF9340", 0,
     {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
      18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 122}},
    // recording-c.txt 02:01:10: slots 1-32; digit 36 "C" = 1100 holds bits 141-142 (slots 127,
    // 128), digit 37 "4" = 0100 bit 146 (slot 132); digit 57 "D", IODP 11.
    {"5307FFFFFFFC00000000000000000000000C40000000000000000000DAA6BB40", 3,
     {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
      18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 127, 128, 132}},
};

// Type 24: six fast corrections for mask numbers 13 x block + 1 to + 6 (PRC x 0.125 m, two's
// complement; UDREI looked up as UDRE m), the IODP, block and IODF, then the velocity code at
// bit 121 and a long-term half laid out as the second half of a type 25 message. No recording
// carries type 24: both frames are made by hand, parity bits left 0.
struct MixedFrame {
    const char *hex;
    std::array<double, 6> prc;
    std::array<int, 6> udrei;
    std::array<double, 6> udre;
    int iodp, block, iodf, velocityCode;
    std::array<int, 2> longTermMask; // mask numbers of the long-term satellites, 0 for none
    LongTermVel1 vel1;                // velocity code 1
    std::array<LongTermVel0, 2> vel0; // velocity code 0
};
const std::vector<MixedFrame> kMixed = {
    {"5363FFDFFE000014193F6C16F7BF60C391061FFFFE800FF01FA9B517C0000000",
     // type bits 9-14 = 011000 = 24
     // PRC bits 15 + 12s: 111111111111=-1 011111111111=2047 100000000000=-2048 000000000101=5
     // 000001100100=100 111111011011=-37
     {-0.125, 255.875, -256.0, 0.625, 12.5, -4.625},
     // UDREI bits 87 + 4s: 0000 0101 1011 1101 1110 1111
     {0, 5, 11, 13, 14, 15},
     {0.75, 3.0, 15.0, 150.0, 10000.0, 20000.0},
     // IODP bits 111-112 = 11 = 3; block bits 113-114 = 01 = 1; IODF bits 115-116 = 10 = 2;
     // spare bits 117-120 = 0000; velocity code bit 121 = 1
     3, 1, 2, 1,
     // mask number: bits 122-127 = 100001 = 33
     {33, 0},
     // IOD: bits 128-135 = 11001000 = 200 x 1
     // dX: bits 136-146 = 10000011000 = -1000 x 0.125
     // dY: bits 147-157 = 01111111111 = 1023 x 0.125
     // dZ: bits 158-168 = 11111111110 = -2 x 0.125
     // dAf0: bits 169-179 = 10000000000 = -1024 x 2^-31
     // dX rate: bits 180-187 = 01111111 = 127 x 2^-11
     // dY rate: bits 188-195 = 10000000 = -128 x 2^-11
     // dZ rate: bits 196-203 = 11111101 = -3 x 2^-11
     // dAf1: bits 204-211 = 01001101 = 77 x 2^-39
     // TOD: bits 212-224 = 1010100010111 = 5399 x 16
     // IODP: bits 225-226 = 11 = 3 x 1
     {true, 200, -125.0, 127.875, -0.25, -1024 * 0x1p-31, 127 * 0x1p-11, -128 * 0x1p-11, -3 * 0x1p-11,
      77 * 0x1p-39, 86384, 3},
     {}},
    {"C660000007FF8FA306000C48D1B1304023007FFE5FF07FC03FF3240100000000",
     // type bits 9-14 = 011000 = 24
     // PRC bits 15 + 12s: 000000000000=0 000000000001=1 111111111110=-2 001111101000=1000
     // 110000011000=-1000 000000000011=3
     {0.0, 0.125, -0.25, 125.0, -125.0, 0.375},
     // UDREI bits 87 + 4s: 0001 0010 0011 0100 0110 1100
     {1, 2, 3, 4, 6, 12},
     {1.0, 1.25, 1.75, 2.25, 3.75, 50.0},
     // IODP bits 111-112 = 01 = 1; block bits 113-114 = 00 = 0; IODF bits 115-116 = 11 = 3;
     // spare bits 117-120 = 0000; velocity code bit 121 = 0
     1, 0, 3, 0,
     // mask numbers: bits 122-127 = 100000 = 32; bits 173-178 = 000001 = 1
     {32, 1},
     {},
     // first IOD: bits 128-135 = 00010001 = 17 x 1
     // first dX: bits 136-144 = 100000000 = -256 x 0.125
     // first dY: bits 145-153 = 011111111 = 255 x 0.125
     // first dZ: bits 154-162 = 111111001 = -7 x 0.125
     // first dAf0: bits 163-172 = 0111111111 = 511 x 2^-31
     // second IOD: bits 179-186 = 11111111 = 255 x 1
     // second dX: bits 187-195 = 000000001 = 1 x 0.125
     // second dY: bits 196-204 = 111111111 = -1 x 0.125
     // second dZ: bits 205-213 = 001100100 = 100 x 0.125
     // second dAf0: bits 214-223 = 1000000000 = -512 x 2^-31
     // (IODP bits 224-225 = 10 = 2, read and not kept; bit 226 = 0)
     {{{true, 17, -32.0, 31.875, -0.875, 511 * 0x1p-31}, {true, 255, 0.125, -0.125, 12.5, -512 * 0x1p-31}}}},
};

// The long-term halves of the type 24 frames as anchors of the shared field lists.
std::vector<Anchor<LongTermVel1>> MixedVel1Anchors()
{
    std::vector<Anchor<LongTermVel1>> anchors;
    for (const MixedFrame &f : kMixed)
        if (f.velocityCode == 1)
            anchors.push_back({f.hex, f.vel1, 121});
    return anchors;
}

std::vector<Anchor<LongTermVel0>> MixedVel0Anchors()
{
    std::vector<Anchor<LongTermVel0>> anchors;
    for (const MixedFrame &f : kMixed)
        if (f.velocityCode == 0)
            for (int s = 0; s < 2; ++s)
                anchors.push_back({f.hex, f.vel0[static_cast<std::size_t>(s)], 121 + 51 * s});
    return anchors;
}

// Types 7, 18, 26 and 27: their named fields, raw, on quoted frames.
constexpr const char *kA6 = "9A1C73FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFE267E900"; // recording-a.txt line 6
constexpr const char *kB27 = "9A1CC3FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFDC00000000000000000331A64C0"; // recording-b.txt line 27
constexpr const char *kA143 = "53489F0000000000FE0000FFC0007FF0003FFC001FFC0007FF8003FF86588780"; // recording-a.txt line 143
constexpr const char *kB128 = "534920FFFF001FFF803FFFC007FFE00FFFF001FFF803FFFC007FFE0022F74B80"; // recording-b.txt line 128
constexpr const char *kA42 = "9A6A001DE1DF3D717F895A37A154892445820D0EE883C05FFFF38FE02E1A5A40"; // recording-a.txt line 42
constexpr const char *kB2 = "536A0BFDFFEF11E09204AC2A61930F9C94E5372AB96ACD7BFEFFF7803BDA8740"; // recording-b.txt line 2
constexpr const char *kB113 = "536C0080FFB32622D3F74CC4AB40000000000000000000000000000008AC1D00"; // recording-b.txt line 113

struct RawAnchor {
    const char *name;
    Field field;
    const char *hex;
    int64_t raw;
};
const RawAnchor kRawAnchors[] = {
    {"mt07::kSystemLatency", mt07::kSystemLatency, kA6, 1}, // recording-a.txt line 6: bits 15-18 = 0001
    {"mt07::kSystemLatency", mt07::kSystemLatency, kB27, 3}, // recording-b.txt line 27: bits 15-18 = 0011
    {"mt07::kIODP", mt07::kIODP, kA6, 3}, // recording-a.txt line 6: bits 19-20 = 11
    {"mt07::kIODP", mt07::kIODP, kB27, 0}, // recording-b.txt line 27: bits 19-20 = 00
    {"mt07::Indicator(1)", mt07::Indicator(1), kA6, 15}, // recording-a.txt line 6: bits 23-26 = 1111
    {"mt07::Indicator(1)", mt07::Indicator(1), kB27, 15}, // recording-b.txt line 27: bits 23-26 = 1111
    {"mt07::Indicator(40)", mt07::Indicator(40), kB27, 0}, // recording-b.txt line 27: bits 179-182 = 0000
    {"mt18::kBandCount", mt18::kBandCount, kA143, 2}, // recording-a.txt line 143: bits 15-18 = 0010
    {"mt18::kBandCount", mt18::kBandCount, kB128, 4}, // recording-b.txt line 128: bits 15-18 = 0100
    {"mt18::kBand", mt18::kBand, kA143, 7}, // recording-a.txt line 143: bits 19-22 = 0111
    {"mt18::kBand", mt18::kBand, kB128, 8}, // recording-b.txt line 128: bits 19-22 = 1000
    {"mt18::kIODI", mt18::kIODI, kA143, 3}, // recording-a.txt line 143: bits 23-24 = 11
    {"mt18::kIODI", mt18::kIODI, kB128, 0}, // recording-b.txt line 128: bits 23-24 = 00
    {"mt18::MaskBit(56)", mt18::MaskBit(56), kA143, 0}, // recording-a.txt line 143: bits 81-81 = 0
    {"mt18::MaskBit(7)", mt18::MaskBit(7), kA143, 0}, // recording-a.txt line 143: bits 32-32 = 0
    {"mt18::MaskBit(7)", mt18::MaskBit(7), kB128, 1}, // recording-b.txt line 128: bits 32-32 = 1
    {"mt18::MaskBit(8)", mt18::MaskBit(8), kB128, 1}, // recording-b.txt line 128: bits 33-33 = 1
    {"mt26::kBand", mt26::kBand, kA42, 8}, // recording-a.txt line 42: bits 15-18 = 1000
    {"mt26::kBand", mt26::kBand, kB2, 8}, // recording-b.txt line 2: bits 15-18 = 1000
    {"mt26::kBlockID", mt26::kBlockID, kA42, 0}, // recording-a.txt line 42: bits 19-22 = 0000
    {"mt26::kBlockID", mt26::kBlockID, kB2, 2}, // recording-b.txt line 2: bits 19-22 = 0010
    {"mt26::Delay(0)", mt26::Delay(0), kA42, 14}, // recording-a.txt line 42: bits 23-31 = 000001110
    {"mt26::Delay(0)", mt26::Delay(0), kB2, 510}, // recording-b.txt line 2: bits 23-31 = 111111110
    {"mt26::GIVEI(0)", mt26::GIVEI(0), kA42, 15}, // recording-a.txt line 42: bits 32-35 = 1111
    {"mt26::GIVEI(0)", mt26::GIVEI(0), kB2, 15}, // recording-b.txt line 2: bits 32-35 = 1111
    {"mt26::Delay(5)", mt26::Delay(5), kA42, 55}, // recording-a.txt line 42: bits 88-96 = 000110111
    {"mt26::GIVEI(5)", mt26::GIVEI(5), kA42, 10}, // recording-a.txt line 42: bits 97-100 = 1010
    {"mt26::kIODI", mt26::kIODI, kA42, 3}, // recording-a.txt line 42: bits 218-219 = 11
    {"mt26::kIODI", mt26::kIODI, kB2, 0}, // recording-b.txt line 2: bits 218-219 = 00
    {"mt27::kIODS", mt27::kIODS, kB113, 0}, // recording-b.txt line 113: bits 15-17 = 000
    {"mt27::kNumberOfMessages", mt27::kNumberOfMessages, kB113, 0}, // recording-b.txt line 113: bits 18-20 = 000
    {"mt27::kMessageNumber", mt27::kMessageNumber, kB113, 0}, // recording-b.txt line 113: bits 21-23 = 000
    {"mt27::kNumberOfRegions", mt27::kNumberOfRegions, kB113, 2}, // recording-b.txt line 113: bits 24-26 = 010
    {"mt27::kPriority", mt27::kPriority, kB113, 0}, // recording-b.txt line 113: bits 27-28 = 00
    {"mt27::kDeltaInside", mt27::kDeltaInside, kB113, 0}, // recording-b.txt line 113: bits 29-32 = 0000
    {"mt27::kDeltaOutside", mt27::kDeltaOutside, kB113, 15}, // recording-b.txt line 113: bits 33-36 = 1111
    {"mt27::kLatitude1", mt27::kLatitude1, kB113, -5}, // recording-b.txt line 113: bits 37-44 = 11111011
    {"mt27::kLongitude1", mt27::kLongitude1, kB113, 100}, // recording-b.txt line 113: bits 45-53 = 001100100
    {"mt27::kLatitude2", mt27::kLatitude2, kB113, -60}, // recording-b.txt line 113: bits 54-61 = 11000100
    {"mt27::kLongitude2", mt27::kLongitude2, kB113, 180}, // recording-b.txt line 113: bits 62-70 = 010110100
    {"mt27::kShape", mt27::kShape, kB113, 1}, // recording-b.txt line 113: bits 71-71 = 1
};

// Types 6, 7, 18, 26 and 27 through their lists: the header fields, and the repeated part of one
// satellite, point or region at its offset. Only the list's members are read; the rest stays 0.

// Made by hand, parity bits left 0: the recordings hold no type 6. Bits 1-14 = 01010011 000110
// (preamble, type 6), then the fields below, then zeros.
constexpr const char *kIntegrity = "5319B21400000000000000000000000000000000000000000000000000000000";
// Made by hand, parity bits left 0: the one service message broadcast leaves IODS, the message
// counts, the priority and the inside factor at 0. Bits 1-14 = 01010011 011011 (type 27).
constexpr const char *kService = "536EA26692DC40F7100000000000000000000000000000000000000000000000";

const std::vector<Anchor<TIntegrityInformation>> kIntegrityHeaders = {
    // IODF2: bits 15-16 = 01 = 1; IODF3: bits 17-18 = 10 = 2; IODF4: bits 19-20 = 11 = 3;
    // IODF5: bits 21-22 = 00 = 0
    {kIntegrity, {1, 2, 3, 0, {}}},
};
const std::vector<Anchor<SlotIntegrity>> kIntegritySlots = {
    {kIntegrity, {8, 0, 0}, 0}, // mask number 1: bits 23-26 = 1000 = 8
    {kIntegrity, {5, 0, 0}, 4}, // mask number 2: bits 27-30 = 0101 = 5
};
const std::vector<Anchor<TFastCorDegFactors>> kDegradationHeaders = {
    // latency: bits 15-18 = 0001 = 1 x 1 s; IODP: bits 19-20 = 11 = 3 (bit 21 = 0)
    {kA6, {1, 3, {}, {}}},
    // latency: bits 15-18 = 0011 = 3 x 1 s; IODP: bits 19-20 = 00 = 0
    {kB27, {3, 0, {}, {}}},
};
const std::vector<Anchor<SatelliteDegradation>> kDegradationSatellites = {
    {kB27, {7}, 128},  // mask number 33: bits 151-154 = 0111 = 7 (bit 155 = 0)
    {kA6, {15}, 0},    // mask number 1: bits 23-26 = 1111 = 15
};
const std::vector<Anchor<IgpMaskHeader>> kMaskHeaders = {
    // bands: bits 15-18 = 0010 = 2; band: bits 19-22 = 0111 = 7; IODI: bits 23-24 = 11 = 3 (bit 25 = 0)
    {kA143, {2, 7, 3}},
    // bands: bits 15-18 = 0100 = 4; band: bits 19-22 = 1000 = 8; IODI: bits 23-24 = 00 = 0
    {kB128, {4, 8, 0}},
};
IGPEntry MaskBitEntry(int32_t inMask)
{
    IGPEntry e{};
    e.InMask = inMask;
    return e;
}
IGPEntry DelayEntry(float delay, int32_t givei)
{
    IGPEntry e{};
    e.VerticalDelay = delay;
    e.GIVEI = givei;
    return e;
}
const std::vector<Anchor<IGPEntry>> kMaskPoints = {
    {kA143, MaskBitEntry(0), 39},  // point 39: bit 64 = 0 (bit 65 = 1)
    {kB128, MaskBitEntry(1), 15},  // point 15: bit 40 = 1 (bit 41 = 0)
};
const std::vector<Anchor<IonoDelayHeader>> kDelayHeaders = {
    // band: bits 15-18 = 1000 = 8; block: bits 19-22 = 0000 = 0; IODI: bits 218-219 = 11 = 3 (bit 220 = 0)
    {kA42, {8, 0, 3}},
    // band: bits 15-18 = 1000 = 8; block: bits 19-22 = 0010 = 2 (bit 23 = 1); IODI: bits 218-219 = 00 = 0
    {kB2, {8, 2, 0}},
};
const std::vector<Anchor<IGPEntry>> kDelayPoints = {
    // point 0: delay bits 23-31 = 000001110 = 14 x 0.125 m; GIVEI bits 32-35 = 1111 = 15 (bit 36 = 0)
    {kA42, DelayEntry(1.75f, 15), 0},
    // point 5 (65 bits on): delay bits 88-96 = 000110111 = 55 x 0.125 m; GIVEI bits 97-100 = 1010 = 10
    {kA42, DelayEntry(6.875f, 10), 65},
};
const std::vector<Anchor<ServiceHeader>> kServiceHeaders = {
    // IODS: bits 15-17 = 000; messages: bits 18-20 = 000; number: bits 21-23 = 000;
    // regions: bits 24-26 = 010 = 2; priority: bits 27-28 = 00; inside: bits 29-32 = 0000;
    // outside: bits 33-36 = 1111 = 15
    {kB113, {0, 0, 0, 2, 0, 0, 15}},
    // IODS: bits 15-17 = 101 = 5; messages: bits 18-20 = 010 = 2; number: bits 21-23 = 001 = 1;
    // regions: bits 24-26 = 001 = 1; priority: bits 27-28 = 10 = 2; inside: bits 29-32 = 0110 = 6;
    // outside: bits 33-36 = 1001 = 9
    {kService, {5, 2, 1, 1, 2, 6, 9}},
};
// Latitudes and longitudes in whole degrees, two's complement; shape 1 square, 0 triangle.
const std::vector<Anchor<ServiceRegion>> kServiceRegions = {
    // region 0: bits 37-44 = 11111011 = -5; bits 45-53 = 001100100 = 100; bits 54-61 = 11000100
    // = -60; bits 62-70 = 010110100 = 180; bit 71 = 1
    {kB113, {-5, 100, -60, 180, 1}, 0},
    // region 1 (35 bits on): bits 72-79 = 11111011 = -5; bits 80-88 = 101001100 = -180;
    // bits 89-96 = 11000100 = -60; bits 97-105 = 101010110 = -170; bit 106 = 1 (bit 107 = 0)
    {kB113, {-5, -180, -60, -170, 1}, 35},
    // region 0: bits 37-44 = 00101101 = 45; bits 45-53 = 110001000 = -120; bits 54-61 =
    // 00011110 = 30; bits 62-70 = 111000100 = -60; bit 71 = 0
    {kService, {45, -120, 30, -60, 0}, 0},
};

template <typename Record, std::size_t N>
using ListDecoder = std::function<void(const TMOPSMsg &, const FieldList<Record, N> &, Record &, int offset)>;

template <typename Record, std::size_t N>
void DecodeOnly(const TMOPSMsg &m, const FieldList<Record, N> &list, Record &r, int offset)
{
    DecodeFields(m, list, r, offset);
}

// Each field of the list moved one bit later in turn must change some value of some anchor.
template <typename Record, std::size_t N>
void ExpectEveryShiftCaught(const FieldList<Record, N> &list, const std::vector<Anchor<Record>> &anchors,
                            const ListDecoder<Record, N> &decode = DecodeOnly<Record, N>)
{
    for (std::size_t i = 0; i < N; ++i) {
        FieldList<Record, N> shifted = list;
        shifted[i].field.start += 1;
        bool caught = false;
        for (const Anchor<Record> &a : anchors) {
            const TMOPSMsg m(a.hex);
            Record r{};
            decode(m, shifted, r, a.offset);
            caught = caught || !Same(ValuesOf(r), ValuesOf(a.want));
        }
        EXPECT_TRUE(caught) << list[i].name << " read from bit " << shifted[i].field.start;
    }
}

template <typename Decoder, typename Record>
void ExpectDecodedAsAnchored(const std::vector<Anchor<Record>> &anchors)
{
    for (const Anchor<Record> &a : anchors) {
        Decoder d;
        d.SetMessage(a.hex);
        d.Decode();
        EXPECT_TRUE(Same(ValuesOf(d.Data()), ValuesOf(a.want))) << a.hex;
    }
}

} // namespace

TEST(Broadcast, StandaloneTypesDecodeAsWorkedOutFromTheirBits)
{
    ExpectDecodedAsAnchored<TMT09>(kGeoNavigation);
    ExpectDecodedAsAnchored<TMT10>(kDegradation);
    ExpectDecodedAsAnchored<TMT12>(kNetworkTime);
}

TEST(Broadcast, CovarianceOfBothSatellites)
{
    auto mask = std::make_unique<PRNMaskBuffer>();
    for (const CovarianceFrame &f : kCovariance) {
        TMT28 d(*mask);
        d.SetMessage(f.hex);
        d.Decode();
        for (std::size_t s = 0; s < 2; ++s)
            EXPECT_TRUE(Same(ValuesOf(d.LastCovs().Sat[s]), ValuesOf(f.want[s]))) << f.hex << " satellite " << s;
    }
}

TEST(Broadcast, NamedFieldsOfTheOtherTypes)
{
    for (const RawAnchor &a : kRawAnchors)
        EXPECT_EQ(RawValue(TMOPSMsg(a.hex), a.field), a.raw) << a.name << " in " << a.hex;
}

TEST(Broadcast, IntegrityHeaderAndIndicatorsByMaskNumber)
{
    // The frame built by hand above: IODF2-5 = 1, 2, 3, 0; mask number 1 reads 8, 2 reads 5,
    // 3 to 51 (bits 31-226) read 0.
    TMT06 d(kIntegrity);
    d.Decode();
    EXPECT_TRUE(Same(ValuesOf(d.Data()), {1, 2, 3, 0}));
    for (int n = 1; n <= mt06::kSatellites; ++n)
        EXPECT_EQ(d.Data().Slot[static_cast<std::size_t>(n - 1)].UDREI, n == 1 ? 8 : n == 2 ? 5 : 0) << "mask number " << n;
}

TEST(Broadcast, ServiceMessagesFiledByTheirNumber)
{
    auto service = std::make_unique<ServiceMsgBuffer>();
    TMT27 d(*service);
    d.SetMessage(kService);
    d.Decode();
    d.SetMessage(kB113);
    d.Decode();
    // kB113 last: IODS 0 and messages 0 + 1; its message 0 has two regions, kService's message
    // 1 one (both worked out above).
    EXPECT_EQ(service->IODS, 0);
    EXPECT_EQ(service->NumberOfMessages, 1);
    const ServiceMessage &first = service->Message[0], &second = service->Message[1];
    EXPECT_EQ(first.NumberOfRegions, 2);
    EXPECT_TRUE(Same(ValuesOf(first.Region[0]), {-5, 100, -60, 180, 1}));
    EXPECT_TRUE(Same(ValuesOf(first.Region[1]), {-5, -180, -60, -170, 1}));
    EXPECT_EQ(second.MessageNumber, 1);
    EXPECT_EQ(second.NumberOfRegions, 1);
    EXPECT_EQ(second.PriorityCode, 2);
    EXPECT_EQ(second.Valid, 1);
    EXPECT_TRUE(Same(ValuesOf(second.Region[0]), {45, -120, 30, -60, 0}));
}

TEST(Broadcast, MaskBitsSetTheirBandsPoints)
{
    // Point i of the band is bit 25 + i. recording-a.txt line 143 (band 7, first entry 201 x 7
    // = 1407): bits 64-65 = 01, point 39 out, 40 in. recording-b.txt line 128 (band 8, first
    // entry 1608): bits 40-41 = 10, point 15 in, 16 out.
    const struct {
        const char *hex;
        int first, point;
        bool in;
    } kPoints[] = {{kA143, 1407, 39, false}, {kA143, 1407, 40, true}, {kB128, 1608, 15, true}, {kB128, 1608, 16, false}};
    for (const auto &p : kPoints) {
        auto grid = std::make_unique<IGPBuffer>();
        TMT18 d(*grid);
        d.SetMessage(p.hex);
        d.Decode();
        EXPECT_EQ(grid->entry[p.first + p.point].InMask & 0xFF, p.in ? 1 : 0) << p.hex << " point " << p.point;
    }
}

TEST(Broadcast, DegradationIndicatorsByMaskNumber)
{
    // recording-b.txt line 27: latency bits 15-18 = 0011, IODP bits 19-20 = 00; the indicator of
    // mask number n is bits 23 + 4(n - 1): bits 23-150 are all ones (1-32 read 1111), bits
    // 151-154 = 0111 (33 reads 7) and bits 155-226 are zeros (34-51 read 0).
    TMT07 d(kB27);
    d.Decode();
    EXPECT_EQ(d.Data().SystemLatency, 3);
    EXPECT_EQ(d.Data().IODP, 0);
    for (int n = 1; n <= mt07::kSatellites; ++n)
        EXPECT_EQ(d.Data().DegradationIndicator[static_cast<std::size_t>(n - 1)], n <= 32 ? 15 : n == 33 ? 7 : 0) << "mask number " << n;
}

TEST(Broadcast, AlmanacsAtTheirOffsets)
{
    for (const Anchor<TGEOAlmanac> &a : kAlmanacs) {
        TMT17 d(a.hex);
        d.Decode();
        const TGEOAlmanac &g = d.GEO(a.offset / mt17::kAlmanacBits);
        EXPECT_TRUE(Same(ValuesOf(g), ValuesOf(a.want))) << a.hex;
        EXPECT_EQ(g.Ranging, a.want.Ranging) << a.hex;
        EXPECT_EQ(g.Corrections, a.want.Corrections) << a.hex;
        EXPECT_EQ(g.Integrity, a.want.Integrity) << a.hex;
        EXPECT_EQ(g.ServiceProvider, a.want.ServiceProvider) << a.hex;
    }
}

TEST(Broadcast, LongTermHalvesOfTypeTwentyFive)
{
    // Sat(0) and Sat(1) hold the first half, Sat(2) and Sat(3) the second.
    auto mask = std::make_unique<PRNMaskBuffer>();
    const auto decoded = [&](const char *hex, int offset, int code) {
        TMT25 d(*mask);
        d.SetMessage(hex);
        d.Decode();
        const int half = code == mt25::VelocityCode(0).start ? 0 : 1;
        return d.Sat(2 * half + (offset - code) / long_term_half::kSecondSatellite);
    };
    for (const Anchor<LongTermVel1> &a : kLongTermVel1) {
        const TLongTermSEC s = decoded(a.hex, a.offset, a.offset);
        EXPECT_TRUE(Same({double(s.IssueOfData), s.DeltaX, s.DeltaY, s.DeltaZ, s.DeltaAf0, s.DeltaX_roc, s.DeltaY_roc,
                          s.DeltaZ_roc, s.DeltaAf1, double(s.TODApplicability), double(s.IODP)},
                         ValuesOf(a.want)))
            << a.hex;
    }
    for (const Anchor<LongTermVel0> &a : kLongTermVel0) {
        const int code = a.offset < mt25::VelocityCode(1).start ? mt25::VelocityCode(0).start : mt25::VelocityCode(1).start;
        const TLongTermSEC s = decoded(a.hex, a.offset, code);
        EXPECT_TRUE(Same({double(s.IssueOfData), s.DeltaX, s.DeltaY, s.DeltaZ, s.DeltaAf0}, ValuesOf(a.want))) << a.hex;
    }
}

TEST(Broadcast, FastCorrectionsAndIndicators)
{
    for (const FastCorrectionFrame &f : kFastCorrections) {
        const FastCorrections prc = FastCorrectionVector(f.hex);
        const UDREIVectors udrei = UDREIVector(f.hex);
        EXPECT_EQ(BitField(f.hex, mt02_05::kIODP.start, mt02_05::kIODP.width), f.iodp) << f.hex;
        for (std::size_t i = 0; i < 13; ++i) {
            EXPECT_EQ(prc[i], f.prc[i]) << f.hex << " correction " << i;
            EXPECT_EQ(udrei.udrei[i], f.udrei[i]) << f.hex << " indicator " << i;
        }
    }
}

// As the fast-correction window reads a message: from its bytes as received with the server's
// trailer, and digit by digit where the bytes cannot stand for the text (here a trailer that is
// no hex); the same values either way.
TEST(Broadcast, FastCorrectionsAsTheWindowReadsThem)
{
    for (const FastCorrectionFrame &f : kFastCorrections)
        for (const std::string &text : {std::string(f.hex) + "000", std::string(f.hex) + "XYZ"}) {
            const mt02_05::Reading r = mt02_05::Read(TMOPSMsg(text));
            EXPECT_EQ(r.iodp, f.iodp) << text;
            for (int i = 0; i < 13; ++i) {
                const auto k = static_cast<std::size_t>(i);
                EXPECT_EQ(r.prc[k], f.prc[k]) << text << " correction " << i;
                EXPECT_EQ(r.udrei[k], f.udrei[k]) << text << " indicator " << i;
                EXPECT_EQ(r.Udre(i), kUDRE[static_cast<std::size_t>(f.udrei[k])]);
                EXPECT_EQ(r.Variance(i), kVarUDRE[static_cast<std::size_t>(f.udrei[k])]);
            }
        }
    // Without its trailer a text loses its last three digits, and with them the indicators'.
    EXPECT_THROW(mt02_05::Read(TMOPSMsg(std::string(kFastCorrections[0].hex).substr(0, 59))), std::invalid_argument);
    EXPECT_NO_THROW(mt02_05::Read(TMOPSMsg(std::string(kFastCorrections[0].hex).substr(0, 60))));
}

// Type 2 covers the 1st to 13th masked satellites, type 3 the 14th to 26th, and so on.
TEST(Broadcast, SatellitesEachFastCorrectionTypeCovers)
{
    const struct {
        int type, masked, first, count;
    } cases[] = {
        {2, 20, 0, 13}, {3, 20, 13, 7}, {4, 20, 0, 0}, {3, 13, 0, 0}, {2, 13, 0, 13},
        {5, 52, 39, 13}, {5, 51, 39, 12}, {2, 0, 0, 0},
    };
    for (const auto &c : cases) {
        const mt02_05::Covered covered = mt02_05::CoveredBy(c.type, c.masked);
        EXPECT_EQ(covered.count, c.count) << c.type << " of " << c.masked;
        if (c.count > 0) {
            EXPECT_EQ(covered.first, c.first) << c.type << " of " << c.masked;
        }
    }
}

TEST(Broadcast, MaskFilesItsSlotsUnderItsIodp)
{
    // Each frame as received (read from its bytes) and in lower case (read digit by digit).
    for (const MaskFrame &f : kMasks)
        for (const std::string &hex : {std::string(f.hex), Lower(f.hex)}) {
            auto mask = std::make_unique<PRNMaskBuffer>();
            TMT01 worker(*mask);
            EXPECT_EQ(worker.Take(TMOPSMsg(hex)), f.iodp) << hex;
            worker.File();
            std::vector<int> coloured;
            for (int index = 0; index < kSlots; ++index)
                if (worker.Filed(index))
                    coloured.push_back(index + 1);
            EXPECT_EQ(coloured, f.slots) << hex;
            const MaskSlots &copy = worker.Slots(f.iodp);
            EXPECT_EQ(std::vector<int>(copy.slot.begin(), copy.slot.begin() + copy.count), f.slots) << hex;
            // The shared buffer reads its IODP as the text reader does, a lower-case digit as
            // 0000: the IODP digits "d" and "2" both give IODP 0 there.
            const int shared = hex == f.hex ? f.iodp : 0;
            EXPECT_EQ(mask->currentIODP, shared) << hex;
            for (std::size_t n = 0; n < f.slots.size(); ++n)
                EXPECT_EQ(mask->slotList[shared][n], f.slots[n]) << "mask number " << n + 1;
            EXPECT_EQ(mask->slotList[shared][f.slots.size()], 0);
        }
}

TEST(Broadcast, MixedCorrectionsFiledUnderTheirMaskNumbers)
{
    // The mask of recording-a.txt line 11 (IODP 3): mask numbers 1 to 32 are slots 1 to 32 and
    // mask number 33 is slot 137.
    auto mask = std::make_unique<PRNMaskBuffer>();
    TMT01 type1(*mask);
    type1.Take(TMOPSMsg(kMasks[0].hex));
    type1.File();
    const auto slotOf = [](int maskNumber) { return maskNumber == 33 ? 137 : maskNumber; };
    for (const MixedFrame &f : kMixed) {
        TMT24 d(*mask);
        d.SetMessage(f.hex);
        d.Decode();
        const TMixedFastLongTerm &data = d.Data();
        // The block's six mask numbers, 13 x block + 1 on, and no other slot.
        for (int slot = 0; slot <= kSlots; ++slot) {
            const int s = slot - 13 * f.block - 1;
            const FastCorrection &c = data.Fast[static_cast<std::size_t>(slot)];
            EXPECT_EQ(c.Available, s >= 0 && s < 6) << f.hex << " slot " << slot;
            if (s < 0 || s >= 6)
                continue;
            EXPECT_EQ(c.PRC, f.prc[static_cast<std::size_t>(s)]) << f.hex << " slot " << slot;
            EXPECT_EQ(c.UDREI, f.udrei[static_cast<std::size_t>(s)]) << f.hex << " slot " << slot;
            EXPECT_EQ(c.UDRE, f.udre[static_cast<std::size_t>(s)]) << f.hex << " slot " << slot;
        }
        // The long-term half goes to the table of its velocity code, under its satellites' slots.
        std::vector<int> vel0, vel1;
        for (int slot = 0; slot <= kSlots; ++slot) {
            if (data.Vel0[static_cast<std::size_t>(slot)].Available)
                vel0.push_back(slot);
            if (data.Vel1[static_cast<std::size_t>(slot)].Available)
                vel1.push_back(slot);
        }
        if (f.velocityCode == 1) {
            const int slot = slotOf(f.longTermMask[0]);
            EXPECT_EQ(vel1, std::vector<int>{slot}) << f.hex;
            EXPECT_TRUE(vel0.empty()) << f.hex;
            EXPECT_TRUE(Same(ValuesOf(data.Vel1[static_cast<std::size_t>(slot)]), ValuesOf(f.vel1))) << f.hex;
            continue;
        }
        EXPECT_TRUE(vel1.empty()) << f.hex;
        EXPECT_EQ(vel0.size(), 2u) << f.hex;
        for (std::size_t s = 0; s < 2; ++s) {
            const LongTermVel0 &v = data.Vel0[static_cast<std::size_t>(slotOf(f.longTermMask[s]))];
            EXPECT_TRUE(v.Available) << f.hex << " satellite " << s;
            EXPECT_TRUE(Same(ValuesOf(v), ValuesOf(f.vel0[s]))) << f.hex << " satellite " << s;
        }
    }
}

TEST(Broadcast, OverviewTakesTheCorrectionsAndIodpOfTheirMaskNumbers)
{
    // Slots 1 to 51 masked in order under IODP 3: mask number n is slot n.
    auto mask = std::make_unique<PRNMaskBuffer>();
    mask->received = 1;
    mask->currentIODP = 3;
    for (uint16_t n = 1; n <= 51; ++n) {
        mask->mask[3][n - 1] = 1;
        mask->slotList[3][n - 1] = n;
    }
    auto grid = std::make_unique<IGPBuffer>();
    SignalOverview overview(*mask, *grid);
    const auto row = [&](int slot) {
        for (const SatelliteRow &r : overview.Satellites())
            if (r.slot == slot)
                return r.state;
        ADD_FAILURE() << "slot " << slot << " not listed";
        return SatelliteState{};
    };
    double time = 2287 * 604800.0;

    // Types 2 to 5 correct mask numbers 13 x (type - 2) + 1 to + 13; the intake shows a type 0
    // with corrections as type 2. Mask numbers end at 51: the last correction of a type 5 has
    // no satellite.
    for (const FastCorrectionFrame &f : kFastCorrections) {
        const int type = BitField(f.hex, 9, 6) == 0 ? 2 : BitField(f.hex, 9, 6);
        overview.NoteMessage(++time, TMOPSMsg(f.hex), type, true, BroadcastMode::Mode02);
        for (int i = 0; i < 13 && 13 * (type - 2) + 1 + i <= 51; ++i) {
            const SatelliteState s = row(13 * (type - 2) + 1 + i);
            EXPECT_EQ(s.prc, f.prc[static_cast<std::size_t>(i)]) << f.hex << " correction " << i;
            EXPECT_EQ(s.udrei, f.udrei[static_cast<std::size_t>(i)]) << f.hex << " correction " << i;
            EXPECT_EQ(s.fastIodp, f.iodp) << f.hex << " correction " << i;
        }
    }

    // Type 24: six mask numbers from 13 x block + 1, with the IODP of bits 111-112; the
    // long-term satellites are named.
    for (const MixedFrame &f : kMixed) {
        overview.NoteMessage(++time, TMOPSMsg(f.hex), 24, true, BroadcastMode::Mode02);
        for (int i = 0; i < 6; ++i) {
            const SatelliteState s = row(13 * f.block + 1 + i);
            EXPECT_EQ(s.prc, f.prc[static_cast<std::size_t>(i)]) << f.hex << " correction " << i;
            EXPECT_EQ(s.udrei, f.udrei[static_cast<std::size_t>(i)]) << f.hex << " correction " << i;
            EXPECT_EQ(s.fastTime, time) << f.hex << " correction " << i;
            EXPECT_EQ(s.fastIodp, f.iodp) << f.hex << " correction " << i;
        }
        for (const int m : f.longTermMask)
            EXPECT_TRUE(m == 0 || row(m).longTerm) << f.hex << " mask number " << m;
    }
}

TEST(Broadcast, EveryFieldOfTheListsReadOneBitLateIsCaught)
{
    ExpectEveryShiftCaught(mt09::kFields, kGeoNavigation);
    ExpectEveryShiftCaught(mt10::kFields, kDegradation);
    ExpectEveryShiftCaught(mt12::kFields, kNetworkTime);
    ExpectEveryShiftCaught(mt17::kFields, kAlmanacs);
    ExpectEveryShiftCaught(long_term_half::kVel1, kLongTermVel1);
    ExpectEveryShiftCaught(long_term_half::kVel0, kLongTermVel0);
    ExpectEveryShiftCaught(long_term_half::kVel1, MixedVel1Anchors());
    ExpectEveryShiftCaught(long_term_half::kVel0, MixedVel0Anchors());
    ExpectEveryShiftCaught(mt06::kFields, kIntegrityHeaders);
    ExpectEveryShiftCaught(mt06::kSlot, kIntegritySlots);
    ExpectEveryShiftCaught(mt07::kFields, kDegradationHeaders);
    ExpectEveryShiftCaught(mt07::kSatellite, kDegradationSatellites);
    ExpectEveryShiftCaught(mt18::kFields, kMaskHeaders);
    ExpectEveryShiftCaught(mt18::kPoint, kMaskPoints);
    ExpectEveryShiftCaught(mt26::kFields, kDelayHeaders);
    ExpectEveryShiftCaught(mt26::kPoint, kDelayPoints);
    ExpectEveryShiftCaught(mt27::kFields, kServiceHeaders);
    ExpectEveryShiftCaught(mt27::kRegion, kServiceRegions);
    const auto covariance = CovarianceAnchors();
    ExpectEveryShiftCaught<TClockEphCovMatrix, 2>(
        mt28::kSatellite, covariance, [](const TMOPSMsg &m, const auto &list, TClockEphCovMatrix &r, int offset) {
            DecodeFields(m, list, r, offset);
            DecodeFields(m, mt28::kElements, r, offset);
        });
    ExpectEveryShiftCaught<TClockEphCovMatrix, 10>(
        mt28::kElements, covariance, [](const TMOPSMsg &m, const auto &list, TClockEphCovMatrix &r, int offset) {
            DecodeFields(m, mt28::kSatellite, r, offset);
            DecodeFields(m, list, r, offset);
        });
}

TEST(Broadcast, TypeOneAndFastCorrectionFieldsReadOneBitLateAreCaught)
{
    // Each named field (or field pattern) read `shift` bits late: true while every anchor still
    // reads as worked out.
    using Check = std::function<bool(int shift)>;
    const auto allFast = [](const std::function<bool(const FastCorrectionFrame &, const TMOPSMsg &, int)> &same) {
        return [same](int shift) {
            for (const FastCorrectionFrame &f : kFastCorrections)
                if (!same(f, TMOPSMsg(f.hex), shift))
                    return false;
            return true;
        };
    };
    const auto allMixed = [](const std::function<bool(const MixedFrame &, const TMOPSMsg &, int)> &same) {
        return [same](int shift) {
            for (const MixedFrame &f : kMixed)
                if (!same(f, TMOPSMsg(f.hex), shift))
                    return false;
            return true;
        };
    };
    const struct {
        const char *name;
        Check matches;
    } kChecks[] = {
        {"type 1 IODP",
         [](int shift) {
             for (const MaskFrame &f : kMasks)
                 if (RawValue(TMOPSMsg(f.hex), mt01::kIODP.At(shift)) != f.iodp)
                     return false;
             return true;
         }},
        {"type 1 slot bits",
         [](int shift) {
             for (const MaskFrame &f : kMasks) {
                 const TMOPSMsg m(f.hex);
                 std::vector<int> slots;
                 for (int n = 1; n <= kSlots; ++n)
                     if (RawValue(m, mt01::Slot(n).At(shift)) != 0)
                         slots.push_back(n);
                 if (slots != f.slots)
                     return false;
             }
             return true;
         }},
        {"IODF", allFast([](const FastCorrectionFrame &f, const TMOPSMsg &m, int shift) {
             return RawValue(m, mt02_05::kIODF.At(shift)) == f.iodf;
         })},
        {"IODP", allFast([](const FastCorrectionFrame &f, const TMOPSMsg &m, int shift) {
             return RawValue(m, mt02_05::kIODP.At(shift)) == f.iodp;
         })},
        {"corrections", allFast([](const FastCorrectionFrame &f, const TMOPSMsg &m, int shift) {
             for (int i = 0; i < mt02_05::kCorrections; ++i)
                 if (Value(m, mt02_05::PRC(i).At(shift)) != f.prc[static_cast<std::size_t>(i)])
                     return false;
             return true;
         })},
        {"indicators", allFast([](const FastCorrectionFrame &f, const TMOPSMsg &m, int shift) {
             for (int i = 0; i < mt02_05::kCorrections; ++i)
                 if (RawValue(m, mt02_05::UDREI(i).At(shift)) != f.udrei[static_cast<std::size_t>(i)])
                     return false;
             return true;
         })},
        {"type 24 corrections", allMixed([](const MixedFrame &f, const TMOPSMsg &m, int shift) {
             for (int s = 0; s < 6; ++s)
                 if (Value(m, mt24::PRC(s).At(shift)) != f.prc[static_cast<std::size_t>(s)])
                     return false;
             return true;
         })},
        {"type 24 indicators", allMixed([](const MixedFrame &f, const TMOPSMsg &m, int shift) {
             for (int s = 0; s < 6; ++s)
                 if (RawValue(m, mt24::UDREI(s).At(shift)) != f.udrei[static_cast<std::size_t>(s)])
                     return false;
             return true;
         })},
        {"type 24 IODP", allMixed([](const MixedFrame &f, const TMOPSMsg &m, int shift) {
             return RawValue(m, mt24::kIODP.At(shift)) == f.iodp;
         })},
        {"type 24 block ID", allMixed([](const MixedFrame &f, const TMOPSMsg &m, int shift) {
             return RawValue(m, mt24::kBlockID.At(shift)) == f.block;
         })},
        {"type 24 IODF", allMixed([](const MixedFrame &f, const TMOPSMsg &m, int shift) {
             return RawValue(m, mt24::kIODF.At(shift)) == f.iodf;
         })},
        {"type 24 velocity code", allMixed([](const MixedFrame &f, const TMOPSMsg &m, int shift) {
             return RawValue(m, mt24::kVelocityCode.At(shift)) == f.velocityCode;
         })},
        // The mask numbers sit right after the velocity-code bit 121; velocity code 0 has a
        // second one 51 bits on.
        {"type 24 long-term mask numbers", allMixed([](const MixedFrame &f, const TMOPSMsg &m, int shift) {
             if (f.velocityCode == 1)
                 return RawValue(m, long_term_half::kMask1.At(121 + shift)) == f.longTermMask[0];
             return RawValue(m, long_term_half::kMask0.At(121 + shift)) == f.longTermMask[0] &&
                    RawValue(m, long_term_half::kMask0.At(121 + 51 + shift)) == f.longTermMask[1];
         })},
    };
    for (const auto &c : kChecks) {
        EXPECT_TRUE(c.matches(0)) << c.name << " as placed";
        EXPECT_FALSE(c.matches(1)) << c.name << " one bit late";
    }
}
