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

void TFrmFastCorr::NoteChanged(int row)
{
    if (!listed_[row]) {
        listed_[row] = true;
        changedRows_.push_back(row);
    }
    ContentChanged();
}

void TFrmFastCorr::ShowCorrection(int row, int slot, double prc)
{
    if (row < 0 || row >= kRows)
        return;
    Correction &kept = corrections_[row];
    if (kept.known && kept.slot == slot && Same(kept.prc, prc))
        return;
    kept = {true, slot, prc, true};
    NoteChanged(row);
}

void TFrmFastCorr::ShowIntegrity(int row, double udrei, double udre, double variance)
{
    if (row < 0 || row >= kRows)
        return;
    Integrity &kept = integrity_[row];
    if (kept.known && Same(kept.udrei, udrei) && Same(kept.udre, udre) && Same(kept.variance, variance))
        return;
    kept = {true, udrei, udre, variance, true};
    NoteChanged(row);
}

// The texts of the rows changed since the last paint.
void TFrmFastCorr::ShowContent()
{
    for (const int row : changedRows_) {
        listed_[row] = false;
        Correction &c = corrections_[row];
        if (c.changed) {
            c.changed = false;
            SetCell(row, 0, QString::number(c.slot));
            SetCell(row, 1, QString::fromStdString(FloatText(c.prc)));
        }
        Integrity &i = integrity_[row];
        if (i.changed) {
            i.changed = false;
            SetCell(row, 2, QString::fromStdString(FloatText(i.udrei)));
            SetCell(row, 3, QString::fromStdString(IndicatorText(i.udre)));
            SetCell(row, 4, QString::fromStdString(UDREVarianceText(i.udre, i.variance)));
        }
    }
    changedRows_.clear();
    TMessageWindow::ShowContent();
}

void TFrmFastCorr::Reset()
{
    corrections_.fill({});
    integrity_.fill({});
    listed_.fill(false);
    changedRows_.clear();
    TMessageWindow::Reset();
}
