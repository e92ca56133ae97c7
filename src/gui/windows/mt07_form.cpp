#include "mt07_form.h"

#include <QHBoxLayout>
#include <QLineEdit>

TFrmMT07::TFrmMT07(QWidget *parent)
    : TMessageWindow("FrmMT07", "MT07 - Fast Correction Degradation Factors", parent)
{
    auto *boxes = new QHBoxLayout;
    SystemLatency = AddBox(boxes, "SystemLatency", "System Latency");
    IODP = AddBox(boxes, "IODP", "IODP");
    Layout()->addLayout(boxes);
    AddGrid(Layout(), "Table", 6, 210,
            {"PRN", "ai_i", "a_i (m/s^2)", "I_fc NPA (s)", "I_fc PA (s)", "max update ival (s)"});
    AddCloseButton();
    FormShow();
}

void TFrmMT07::ShowSystemLatency(int seconds)
{
    SetBoxText(SystemLatency, QString::number(seconds));
}

void TFrmMT07::ShowIODP(int iodp)
{
    SetBoxText(IODP, QString::number(iodp));
}
