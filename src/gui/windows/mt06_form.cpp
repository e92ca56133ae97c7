#include "mt06_form.h"

#include "field_cells.h"

#include <QHBoxLayout>
#include <QLineEdit>

TFrmMT06::TFrmMT06(QWidget *parent) : TMessageWindow("FrmMT06", "MT06 - Integrity Information", parent)
{
    auto *boxes = new QHBoxLayout;
    for (std::size_t i = 0; i < IODF.size(); ++i)
        IODF[i] = AddBox(boxes, mt06::kFields[i].name, mt06::kFields[i].name);
    Layout()->addLayout(boxes);
    AddGrid(Layout(), "Table", 4, 211,
            QStringList{"PRN"} + LabelsOf(mt06::kSlot) + QStringList{"UDRE (m)", "UDRE variance (m^2)"});
    AddCloseButton();
    FormShow();
}

void TFrmMT06::ShowHeader(const TIntegrityInformation &d)
{
    for (std::size_t i = 0; i < IODF.size(); ++i)
        SetBox(IODF[i], ValueText(d, mt06::kFields[i]));
}

void TFrmMT06::Reset()
{
    for (QLineEdit *box : IODF)
        SetBox(box, "");
    TMessageWindow::Reset();
}
