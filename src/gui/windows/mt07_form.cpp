#include "mt07_form.h"

#include "field_cells.h"

#include <QHBoxLayout>
#include <QLineEdit>

TFrmMT07::TFrmMT07(QWidget *parent)
    : TMessageWindow("FrmMT07", "MT07 - Fast Correction Degradation Factors", parent)
{
    auto *boxes = new QHBoxLayout;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const char *label = mt07::kFields[i].name; // box "SystemLatency" for "System Latency"
        boxes_[i] = AddBox(boxes, QString(label).remove(' ').toLatin1().constData(), label);
    }
    Layout()->addLayout(boxes);
    AddGrid(Layout(), "Table", 6, 210,
            QStringList{"PRN"} + LabelsOf(mt07::kSatellite) +
                QStringList{"a_i (m/s^2)", "I_fc NPA (s)", "I_fc PA (s)", "max update ival (s)"});
    AddCloseButton();
    FormShow();
}

void TFrmMT07::ShowHeader(const TFastCorDegFactors &d)
{
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        SetBox(boxes_[i], ValueText(d, mt07::kFields[i]));
}
