#include "mt06_form.h"

#include <QHBoxLayout>
#include <QLineEdit>

TFrmMT06::TFrmMT06(QWidget *parent) : TMessageWindow("FrmMT06", "MT06 - Integrity Information", parent)
{
    auto *boxes = new QHBoxLayout;
    const char *names[] = {"IODF2", "IODF3", "IODF4", "IODF5"};
    for (int i = 0; i < 4; ++i)
        IODF[i] = AddBox(boxes, names[i], names[i]);
    Layout()->addLayout(boxes);
    AddGrid(Layout(), "Table", 4, 211, {"PRN", "UDREI", "UDRE (m)", "UDRE variance (m^2)"});
    AddCloseButton();
    FormShow();
}

void TFrmMT06::ShowIODFs(int iodf2, int iodf3, int iodf4, int iodf5)
{
    const int values[] = {iodf2, iodf3, iodf4, iodf5};
    for (int i = 0; i < 4; ++i)
        SetBoxText(IODF[i], QString::number(values[i]));
}

void TFrmMT06::Reset()
{
    for (QLineEdit *box : IODF)
        box->clear();
    TMessageWindow::Reset();
}
