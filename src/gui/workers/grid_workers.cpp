#include "grid_workers.h"

#include "field_cells.h"
#include "mops/mt26.h"
#include "text/display_text.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

QString Q(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace

bool TMsgType18::SameAsShown() const
{
    if (shown_.empty() || shownLayout_ != window_.Layouts())
        return false;
    for (int i = 0; i < kIgpCount; ++i) {
        const IGPEntry &e = grid_.entry[i], &was = shown_[i];
        if ((e.InMask & 0xFF) != (was.InMask & 0xFF) ||
            ((e.InMask & 0xFF) && (e.Band != was.Band || e.Latitude != was.Latitude || e.Longitude != was.Longitude)))
            return false;
    }
    return true;
}

void TMsgType18::Show()
{
    if (SameAsShown())
        return;
    shown_.assign(std::begin(grid_.entry), std::end(grid_.entry));
    shownLayout_ = window_.Layouts();
    int row = 0;
    for (int i = 0; i < kIgpCount; ++i)
        if (grid_.entry[i].InMask & 0xFF)
        {
            window_.KeepRow(++row, grid_.entry[i], i);
            window_.DrawPoint(grid_.entry[i].Latitude, grid_.entry[i].Longitude);
        }
}

// Some bands share places (band 9 and 10 with the edges of bands 0 to 8). Where two masked
// points share one, the later one's mark lies on top, so it is drawn again after the other.
void TMsgType26::NoteSharedPlaces()
{
    laterAtPlace_.assign(kIgpCount, -1);
    std::vector<std::pair<std::pair<int32_t, int32_t>, int>> places;
    for (int i = 0; i < kIgpCount; ++i)
        if (grid_.entry[i].InMask & 0xFF)
            places.push_back({{grid_.entry[i].Latitude, grid_.entry[i].Longitude}, i});
    std::sort(places.begin(), places.end());
    for (std::size_t k = 1; k < places.size(); ++k)
        if (places[k].first == places[k - 1].first)
            laterAtPlace_[places[k - 1].second] = places[k].second;
}

void TMsgType26::ShowWhole()
{
    shown_.assign(std::begin(grid_.entry), std::end(grid_.entry));
    shownLayout_ = window_.Layouts();
    NoteSharedPlaces();
    rowOf_.assign(kIgpCount, 0);
    int row = 0;
    for (int i = 0; i < kIgpCount; ++i) {
        const IGPEntry &e = grid_.entry[i];
        if (!(e.InMask & 0xFF))
            continue;
        rowOf_[i] = ++row;
        window_.KeepRow(row, e, i);
        window_.DrawPoint(e, i);
    }
}

void TMsgType26::Show()
{
    if (shown_.empty() || shownLayout_ != window_.Layouts()) {
        ShowWhole();
        return;
    }
    // A message changes one block of one band: the points are compared a run at a time, and
    // nearly every run is found the same by one comparison of its bytes. A point that entered
    // or left the mask moves the rows of all after it.
    constexpr int kRun = 64;
    redraw_.clear();
    for (int first = 0; first < kIgpCount; first += kRun) {
        const int end = std::min(kIgpCount, first + kRun);
        if (std::memcmp(&grid_.entry[first], &shown_[first], sizeof(IGPEntry) * (end - first)) == 0)
            continue;
        for (int i = first; i < end; ++i) {
            const IGPEntry &e = grid_.entry[i];
            if (std::memcmp(&e, &shown_[i], sizeof e) == 0)
                continue;
            const bool in = (e.InMask & 0xFF) != 0;
            if (in != ((shown_[i].InMask & 0xFF) != 0)) {
                ShowWhole();
                return;
            }
            shown_[i] = e;
            if (!in)
                continue;
            window_.KeepRow(rowOf_[i], e, i);
            for (int j = i; j >= 0; j = laterAtPlace_[j])
                redraw_.push_back(j);
        }
    }
    std::sort(redraw_.begin(), redraw_.end());
    redraw_.erase(std::unique(redraw_.begin(), redraw_.end()), redraw_.end());
    for (const int i : redraw_)
        window_.DrawPoint(grid_.entry[i], i);
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
