#include "grid_workers.h"

#include "text/display_text.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

QString Q(const std::string &s)
{
    return QString::fromStdString(s);
}

// Writes index, band, latitude and longitude of a grid point into a row.
void ShowPoint(TMessageWindow &w, int row, const IGPEntry &e, int index)
{
    w.SetCell(row, 0, QString::number(index));
    w.SetCell(row, 1, QString::number(e.Band));
    w.SetCell(row, 2, Q(LatitudeText(e.Latitude)));
    w.SetCell(row, 3, Q(LongitudeText(e.Longitude)));
}

long WholePart(float v)
{
    return std::labs(static_cast<long>(std::trunc(v)));
}

} // namespace

void TMsgType18::Show()
{
    int row = 0;
    for (int i = 0; i < kIgpCount; ++i)
        if (grid_.entry[i].InMask & 0xFF)
        {
            ShowPoint(window_, ++row, grid_.entry[i], i);
            window_.DrawPoint(grid_.entry[i].Latitude, grid_.entry[i].Longitude);
        }
}

void TMsgType26::Show()
{
    int row = 0;
    for (int i = 0; i < kIgpCount; ++i) {
        const IGPEntry &e = grid_.entry[i];
        if (!(e.InMask & 0xFF))
            continue;
        ShowPoint(window_, ++row, e, i);
        // Points no delay has reached yet still hold -10000 and read as markers too.
        window_.SetCell(row, 4, WholePart(e.VerticalDelay) >= 10000 ? "Do Not Use" : Q(FloatText(e.VerticalDelay)));
        window_.SetCell(row, 5, QString::number(e.GIVEI));
        window_.SetCell(row, 6, WholePart(e.GIVE) == 10000 ? "Not Monitored" : Q(FloatText(e.GIVE)));
        window_.SetCell(row, 7, WholePart(e.VarGIVE) == 10000 ? "Not Monitored" : Q(FloatText(e.VarGIVE)));
        window_.DrawPoint(e, i);
    }
}

void TMsgType27::Show()
{
    int row = 0;
    const int messages = std::clamp(service_.NumberOfMessages, 0, kServiceMessages);
    for (int q = 0; q < messages; ++q) {
        const ServiceMessage &m = service_.Message[q];
        if (!(m.Valid & 0xFF))
            continue;
        for (int r = 0; r < std::min(m.NumberOfRegions, kRegionsKept); ++r) {
            const ServiceRegion &g = m.Region[r];
            ++row;
            window_.SetCell(row, 0, QString::asprintf("%.2d / %.2d", q + 1, r + 1));
            window_.SetCell(row, 1, Q(FloatText(m.DeltaUDREInside)));
            window_.SetCell(row, 2, Q(FloatText(m.DeltaUDREOutside)));
            window_.SetCell(row, 3, g.Shape == 1 ? "Square" : "Triangle");
            window_.SetCell(row, 4, Q(LatitudeText(g.Latitude1)));
            window_.SetCell(row, 5, Q(LongitudeText(g.Longitude1)));
            window_.SetCell(row, 6, Q(LatitudeText(g.Latitude2)));
            window_.SetCell(row, 7, Q(LongitudeText(g.Longitude2)));
        }
    }
}
