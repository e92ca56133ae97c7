#include "fastcorr_form.h"

#include "text/display_text.h"
#include "text/number_text.h"

TFrmFastCorr::TFrmFastCorr(QWidget *parent) : TMessageWindow("FrmFastCorr", "Message Types 2 to 5", parent)
{
    AddGrid(Layout(), "Table", 5, 211, {"PRN", "PRC (m)", "UDREI", "UDRE (m)", "UDRE variance (m^2)"});
    AddCloseButton();
    FormShow();
}

void TFrmFastCorr::ShowCorrection(int row, int slot, double prc)
{
    SetCell(row, 0, QString::number(slot));
    SetCell(row, 1, QString::fromStdString(FloatText(prc)));
}

void TFrmFastCorr::ShowIntegrity(int row, double udrei, double udre, double variance)
{
    SetCell(row, 2, QString::fromStdString(FloatText(udrei)));
    SetCell(row, 3, QString::fromStdString(IndicatorText(udre)));
    SetCell(row, 4, QString::fromStdString(UDREVarianceText(udre, variance)));
}
