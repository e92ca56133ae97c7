#include "satellite_workers.h"

#include "field_cells.h"
#include "prns_form.h"
#include "text/display_text.h"
#include "text/number_text.h"

#include <cmath>

namespace {

QString Text(double v)
{
    return QString::fromStdString(FloatText(v));
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
    window_.KeepLongTerm(d.Vel0, d.Vel1);
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
        window_.KeepLongTerm(decoder_.Data().Vel0, decoder_.Data().Vel1);
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
