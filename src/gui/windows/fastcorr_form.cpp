#include "fastcorr_form.h"

#include "text/display_text.h"
#include "text/number_text.h"

#include <cstring>

namespace {

// Equal to the bit, so that -0 and 0, or two NaNs, are told apart as their texts may be.
bool Same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TFrmFastCorr::TFrmFastCorr(QWidget *parent) : TMessageWindow("FrmFastCorr", "Message Types 2 to 5", parent)
{
    AddGrid(Layout(), "Table", 5, kRows, {"PRN", "PRC (m)", "UDREI", "UDRE (m)", "UDRE variance (m^2)"});
    AddCloseButton();
    FormShow();
}

void TFrmFastCorr::ShowCorrection(int row, int slot, double prc)
{
    if (row >= 0 && row < kRows) {
        Correction &shown = corrections_[row];
        if (shown.known && shown.slot == slot && Same(shown.prc, prc))
            return;
        shown = {true, slot, prc};
    }
    SetCell(row, 0, QString::number(slot));
    SetCell(row, 1, QString::fromStdString(FloatText(prc)));
}

void TFrmFastCorr::ShowIntegrity(int row, double udrei, double udre, double variance)
{
    if (row >= 0 && row < kRows) {
        Integrity &shown = integrity_[row];
        if (shown.known && Same(shown.udrei, udrei) && Same(shown.udre, udre) && Same(shown.variance, variance))
            return;
        shown = {true, udrei, udre, variance};
    }
    SetCell(row, 2, QString::fromStdString(FloatText(udrei)));
    SetCell(row, 3, QString::fromStdString(IndicatorText(udre)));
    SetCell(row, 4, QString::fromStdString(UDREVarianceText(udre, variance)));
}

void TFrmFastCorr::Reset()
{
    corrections_.fill({});
    integrity_.fill({});
    TMessageWindow::Reset();
}
