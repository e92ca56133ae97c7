#include "label_grid_form.h"

#include "mops/mt09.h"
#include "mops/mt10.h"
#include "mops/mt12.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QTableWidget>

TLabelGridForm::TLabelGridForm(const char *name, const QString &caption, const QStringList &labels, QWidget *parent)
    : TMessageWindow(name, caption, parent)
{
    QTableWidget *grid = AddGrid(Layout(), "Table", 2, static_cast<int>(labels.size()), labels, true);
    grid->setColumnWidth(0, 200);
    grid->setColumnWidth(1, 200);
    grid->setMinimumWidth(420);
}

TFrmMT09::TFrmMT09(GeoLookup geoOfPort, QWidget *parent)
    : TLabelGridForm("FrmMT09", "MT09 - GEO Navigation Message", LabelsOf(mt09::kFields), parent),
      geoOfPort_(std::move(geoOfPort))
{
    auto *boxes = new QHBoxLayout;
    GEO_prn = AddBox(boxes, "GEO_prn", "GEO PRN");
    GEO_name = AddBox(boxes, "GEO_name", "GEO Name");
    Layout()->insertLayout(0, boxes);
    AddCloseButton();
    FormShow();
}

void TFrmMT09::FormShow()
{
    TLabelGridForm::FormShow();
    const auto geo = geoOfPort_();
    GEO_prn->setText(geo ? geo->first : "NA");
    GEO_name->setText(geo ? geo->second : "NA");
}

void TFrmMT09::Reset()
{
    GEO_prn->clear();
    GEO_name->clear();
    TLabelGridForm::Reset();
}

TFrmMT10::TFrmMT10(QWidget *parent)
    : TLabelGridForm("FrmMT10", "MT10 - Degradation Factors", LabelsOf(mt10::kFields), parent)
{
    AddCloseButton();
    FormShow();
}

TFrmMT12::TFrmMT12(QWidget *parent)
    : TLabelGridForm("FrmMT12", "SBAS Network Time/UTC Parameters", LabelsOf(mt12::kFields), parent)
{
    AddCloseButton();
    FormShow();
}
