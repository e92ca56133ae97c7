#include "standalone_workers.h"

#include "mops/fast_degradation.h"
#include "text/display_text.h"
#include "text/number_text.h"

#include <array>

namespace {

QString Text(double v)
{
    return QString::fromStdString(FloatText(v));
}

QString Indicator(double v)
{
    return QString::fromStdString(IndicatorText(v));
}

int SlotOf(const PRNMaskBuffer &mask, int k)
{
    return mask.slotList[mask.currentIODP % kIodps][k];
}

} // namespace

void TMsgType06::Show()
{
    if (!mask_.received)
        return;
    const TIntegrityInformation &d = decoder_.Data();
    window_.ShowIODFs(d.IODF[0], d.IODF[1], d.IODF[2], d.IODF[3]);
    for (int k = 0; k < mt06::kSatellites; ++k) {
        const int slot = SlotOf(mask_, k);
        if (slot == 0)
            continue;
        const SlotIntegrity &s = d.Slot[k];
        window_.SetCell(k + 1, 0, QString::number(slot));
        window_.SetCell(k + 1, 1, Text(s.UDREI));
        window_.SetCell(k + 1, 2, Indicator(s.UDRE));
        window_.SetCell(k + 1, 3, Indicator(s.VarUDRE));
    }
}

void TMsgType07::Show()
{
    const TFastCorDegFactors &d = decoder_.Data();
    window_.ShowSystemLatency(d.SystemLatency);
    window_.ShowIODP(d.IODP);
    for (int k = 0; k < mt07::kSatellites; ++k) {
        const int slot = SlotOf(mask_, k);
        if (slot == 0)
            continue;
        const int ai = d.DegradationIndicator[k] & 0xF;
        const FastDegradation &g = kFastDegradation[ai];
        const QString row[] = {QString::number(slot), QString::number(ai),     Text(g.a),
                               QString::number(g.npa), QString::number(g.pa), QString::number(g.maxInterval)};
        for (int c = 0; c < 6; ++c)
            window_.SetCell(k + 1, c, row[c]);
    }
}

void TMsgType09::Show()
{
    ShowInColumnOne(window_, decoder_.Data(), mt09::kFields);
}

void TMsgType10::Show()
{
    ShowInColumnOne(window_, decoder_.Data(), mt10::kFields);
}

void TMsgType12::Show()
{
    ShowInColumnOne(window_, decoder_.Data(), mt12::kFields);
}

void TMsgType17::Show()
{
    for (int k = 0; k < mt17::kAlmanacs; ++k) {
        const TGEOAlmanac &g = decoder_.GEO(k);
        if (g.PRN == 0)
            continue; // an empty almanac slot; PRNs without a line have no cells either
        const QString prn = QString::number(g.PRN);
        window_.SetIndicator("R" + prn, g.Ranging);
        window_.SetIndicator("C" + prn, g.Corrections);
        window_.SetIndicator("I" + prn, g.Integrity);
        window_.SetText("S" + prn, QString::fromStdString(g.ServiceProvider));
        window_.SetText("X" + prn, QString::number(g.Xg));
        window_.SetText("Y" + prn, QString::number(g.Yg));
        window_.SetText("Z" + prn, QString::number(g.Zg));
    }
}
