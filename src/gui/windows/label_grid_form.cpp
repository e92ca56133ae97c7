#include "label_grid_form.h"

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
    : TLabelGridForm("FrmMT09", "MT09 - GEO Navigation Message",
                     {"t_0 (s)", "URA", "X_G (m)", "Y_G (m)", "Z_G (m)", "X_G Rate of Change (m/s)",
                      "Y_G Rate of Change (m/s)", "Z_G Rate of Change (m/s)", "X_G Acceleration (m/s^2)",
                      "Y_G Acceleration (m/s^2)", "Z_G Acceleration (m/s^2)", "a_Gf0 (s)", "a_Gf1 (s/s)"},
                     parent),
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
    : TLabelGridForm("FrmMT10", "MT10 - Degradation Factors",
                     {"B_rcc (m)", "C_ltc_lsb (m)", "C_ltc_v1 (m/s)", "I_ltc_v1 (s)", "C_ltc_v0 (m)", "I_ltc_v0 (s)",
                      "C_geo_lsb (m)", "C_geo_v (m/s)", "I_geo (s)", "C_er (m)", "C_iono_step (m)", "I_iono (s)",
                      "C_iono_ramp (m/s)", "RSS_UDRE", "RSS_iono", "C_covariance"},
                     parent)
{
    AddCloseButton();
    FormShow();
}

TFrmMT12::TFrmMT12(QWidget *parent)
    : TLabelGridForm("FrmMT12", "SBAS Network Time/UTC Parameters",
                     {"A1_WNT (s/s)", "A0_WNT (s)", "t_0t (s)", "WN_t (weeks)", "delta_t_LS (s)", "WN_LSF (weeks)",
                      "DN (days)", "delta_t_LSF (s)", "UTC Standard Id", "GPS TOW (s)", "GPS Week No (weeks)",
                      "Glonass Indicator"},
                     parent)
{
    AddCloseButton();
    FormShow();
}
