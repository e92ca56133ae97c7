#include "mops/mt18.h"

#include <algorithm>

namespace {

struct GridWriter {
    IGPBuffer &grid;
    int next = 0;
    void Add(int latitude, int longitude, int band)
    {
        IGPEntry &e = grid.entry[next++];
        e.Latitude = latitude;
        e.Longitude = longitude;
        e.Band = band;
        e.InMask = 0;
        e.VerticalDelay = e.GIVE = e.VarGIVE = -10000.0f; // no value received yet
    }
};

bool OneOf(int value, int a, int b, int c, int d)
{
    return value == a || value == b || value == c || value == d;
}

void LayBands0To8(GridWriter &w)
{
    for (int lon = -180; lon <= 175; lon += 5) {
        const int band = (lon + 180) / 40;
        if (lon % 10 != 0) {
            for (int lat = -55; lat <= 55; lat += 5)
                w.Add(lat, lon, band);
            continue;
        }
        if (OneOf(lon, -140, -50, 40, 130))
            w.Add(-85, lon, band);
        w.Add(-75, lon, band);
        w.Add(-65, lon, band);
        for (int lat = -55; lat <= 55; lat += 5)
            w.Add(lat, lon, band);
        w.Add(65, lon, band);
        w.Add(75, lon, band);
        if (OneOf(lon, -180, -90, 0, 90))
            w.Add(85, lon, band);
    }
}

// Bands 9 (north) and 10 (south) differ only in sign and in where the 85 degree row starts.
void LayPolarBand(GridWriter &w, int band, int sign, int firstLon85)
{
    for (int lon = -180; lon <= 175; lon += 5)
        w.Add(60 * sign, lon, band);
    for (int lat : {65, 70, 75})
        for (int lon = -180; lon <= 170; lon += 10)
            w.Add(lat * sign, lon, band);
    for (int lon = firstLon85; lon <= firstLon85 + 330; lon += 30)
        w.Add(85 * sign, lon, band);
}

} // namespace

TMT18::TMT18(IGPBuffer &grid) : grid_(grid)
{
    GridWriter w{grid_};
    LayBands0To8(w);
    LayPolarBand(w, 9, 1, -180);
    LayPolarBand(w, 10, -1, -170);
}

void TMT18::Decode()
{
    if (Message().empty())
        return;
    IgpMaskHeader header;
    DecodeListed<mt18::kFields>(*this, header);
    const int band = header.Band;
    if (band >= kBandCount)
        return;
    const int first = BandFirstEntry(band);
    // Where the text holds the band's whole mask its bits are read 32 at a time; a text that
    // ends within it is read bit by bit, the bits past its end reading 0.
    const int size = BandSize(band);
    const bool whole = static_cast<int64_t>(Bits().Digits()) * 4 >= mt18::MaskBit(size - 1).start;
    uint32_t word = 0;
    int width = 0;
    for (int i = 0; i < size; ++i) {
        bool in;
        if (whole) {
            if (i % 32 == 0) {
                width = std::min(32, size - i);
                word = static_cast<uint32_t>(BitField(mt18::MaskBit(i).start, width));
            }
            in = ((word >> (width - 1 - i % 32)) & 1) != 0;
        } else {
            in = RawValue(*this, mt18::MaskBit(i)) == 1;
        }
        IGPEntry &e = grid_.entry[first + i];
        if (in) {
            e.InMask = 1;
            e.Index = first + i;
        } else {
            e.InMask = 0;
        }
    }
}
