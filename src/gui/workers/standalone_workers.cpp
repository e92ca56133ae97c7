#include "standalone_workers.h"

#include "field_cells.h"
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
    window_.ShowHeader(d);
    for (int k = 0; k < mt06::kSatellites; ++k) {
        const int slot = SlotOf(mask_, k);
        if (slot == 0)
            continue;
        const SlotIntegrity &s = d.Slot[k];
        window_.SetCell(k + 1, 0, QString::number(slot));
        window_.SetCell(k + 1, 1, ValueText(s, mt06::kSlot[0]));
        window_.SetCell(k + 1, 2, Indicator(s.UDRE));
        window_.SetCell(k + 1, 3, Indicator(s.VarUDRE));
    }
}

void TMsgType07::Show()
{
    const TFastCorDegFactors &d = decoder_.Data();
    window_.ShowHeader(d);
    for (int k = 0; k < mt07::kSatellites; ++k) {
        const int slot = SlotOf(mask_, k);
        if (slot == 0)
            continue;
        const SatelliteDegradation ai{d.DegradationIndicator[k] & 0xF};
        const FastDegradation &g = kFastDegradation[ai.Indicator];
        const QString row[] = {QString::number(slot), ValueText(ai, mt07::kSatellite[0]), Text(g.a),
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
        for (const auto &[letter, field] : TFrmGEOs::Coordinates())
            window_.SetText(letter + prn, ValueText(g, *field));
    }
}
