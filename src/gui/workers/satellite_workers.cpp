#include "satellite_workers.h"

#include "field_cells.h"
#include "prns_form.h"
#include "text/display_text.h"
#include "text/number_text.h"

#include <cmath>
#include <functional>

namespace {

QString Text(double v)
{
    return QString::fromStdString(FloatText(v));
}

using CellWriter = std::function<void(int row, int column, const QString &text)>;

// One row per slot and kind: the slots with velocity-code-0 records first, then those with
// velocity-code-1 records.
void ShowLongTerm(const PerPRN<LongTermVel0> &vel0, const PerPRN<LongTermVel1> &vel1, const CellWriter &set)
{
    int row = 0;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const LongTermVel0 &v = vel0[slot];
        if (!v.Available)
            continue;
        ++row;
        set(row, 0, QString::number(slot));
        int c = 0;
        for (const LongTermColumn &column : LongTermColumns())
            set(row, ++c, column.vel0 ? ValueText(v, *column.vel0) : QString(""));
    }
    for (int slot = 1; slot <= kSlots; ++slot) {
        const LongTermVel1 &v = vel1[slot];
        if (!v.Available)
            continue;
        ++row;
        set(row, 0, QString::number(slot));
        int c = 0;
        for (const LongTermColumn &column : LongTermColumns())
            set(row, ++c, ValueText(v, *column.vel1));
    }
}

} // namespace

void TMsgType24::Show()
{
    const TMixedFastLongTerm &d = decoder_.Data();
    int row = 0;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const FastCorrection &f = d.Fast[slot];
        if (!f.Available)
            continue;
        ++row;
        window_.SetFCCell(row, 0, QString::number(slot));
        window_.SetFCCell(row, 1, Text(f.PRC));
        window_.SetFCCell(row, 2, QString::number(f.UDREI));
        window_.SetFCCell(row, 3, QString::fromStdString(IndicatorText(f.UDRE)));
        window_.SetFCCell(row, 4, QString::fromStdString(UDREVarianceText(f.UDRE, f.VarUDRE)));
    }
    ShowLongTerm(d.Vel0, d.Vel1, [this](int r, int c, const QString &t) { window_.SetLTCell(r, c, t); });
}

void TThreadMT25::Show()
{
    // The grid is refreshed after each satellite that is in the mask of the IODP it was sent
    // for; the first one that is not ends the message. Refreshing once is the same.
    bool refresh = false;
    for (int s = 0; s < 4; ++s) {
        const TLongTermSEC &sat = decoder_.Sat(s);
        if (!sat.InfoAvailable)
            continue;
        int count = 0;
        for (int i = 0; i < kSlots && count < sat.PRNMask; ++i)
            count += prns_.MaskBit(sat.IODP, i) ? 1 : 0;
        if (count < sat.PRNMask)
            break;
        refresh = true;
    }
    if (refresh)
        ShowLongTerm(decoder_.Data().Vel0, decoder_.Data().Vel1,
                     [this](int r, int c, const QString &t) { window_.SetCell(r, c, t); });
}

void TMsgType28::Show()
{
    const TMessageType28 &last = decoder_.LastCovs();
    for (int s = 0; s < 2; ++s) {
        const int m = last.Sat[s].MaskNumber;
        const int slot = m >= 1 ? mask_.slotList[mask_.currentIODP % kIodps][m - 1] : 0;
        if (slot != 0)
            window_.ShowCovariance(s, slot, last.Sat[s]);
    }
    int row = 0;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const CovarianceRecord &r = decoder_.Data()[slot];
        if (!r.Available)
            continue;
        window_.ShowRow(++row, slot, r.Cov);
    }
}
