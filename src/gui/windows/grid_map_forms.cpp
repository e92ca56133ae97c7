#include "grid_map_forms.h"

#include "field_cells.h"
#include "install_paths.h"
#include "world_map.h"

#include "mops/mt26.h"

#include "text/display_text.h"
#include "text/number_text.h"

#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>
#include <cstdlib>

namespace {
constexpr int kGridRows = 2193; // the headings and one row per grid point

long WholePart(float v)
{
    return std::labs(static_cast<long>(std::trunc(v)));
}
} // namespace

void TPointTableWindow::KeepRow(int row, const IGPEntry &entry, int index)
{
    if (row < 0 || row >= kGridRows)
        return;
    if (static_cast<std::size_t>(row) >= rows_.size())
        rows_.resize(static_cast<std::size_t>(row) + 1);
    Row &kept = rows_[static_cast<std::size_t>(row)];
    kept.entry = entry;
    kept.index = index;
    if (!kept.listed) {
        kept.listed = true;
        changed_.push_back(row);
    }
    ContentChanged();
}

void TPointTableWindow::MakeTexts(QTableWidget *)
{
    for (const int row : changed_) {
        Row &kept = rows_[static_cast<std::size_t>(row)];
        kept.listed = false;
        WriteRow(row, kept.entry, kept.index);
    }
    changed_.clear();
}

void TPointTableWindow::WritePoint(int row, const IGPEntry &e, int index)
{
    SetCell(row, 0, QString::number(index));
    SetCell(row, 1, QString::number(e.Band));
    SetCell(row, 2, QString::fromStdString(LatitudeText(e.Latitude)));
    SetCell(row, 3, QString::fromStdString(LongitudeText(e.Longitude)));
}

void TPointTableWindow::Reset()
{
    rows_.clear();
    changed_.clear();
    TMessageWindow::Reset();
}

void TFrmMT26::WriteRow(int row, const IGPEntry &e, int index)
{
    const auto q = [](const std::string &s) { return QString::fromStdString(s); };
    WritePoint(row, e, index);
    SetCell(row, 4, WholePart(e.VerticalDelay) >= 10000 ? "Do Not Use" : q(FloatText(e.VerticalDelay)));
    SetCell(row, 5, ValueText(e, mt26::kPoint[1]));
    SetCell(row, 6, WholePart(e.GIVE) == 10000 ? "Not Monitored" : q(FloatText(e.GIVE)));
    SetCell(row, 7, WholePart(e.VarGIVE) == 10000 ? "Not Monitored" : q(FloatText(e.VarGIVE)));
}

QTabWidget *AddMapAndTablePages(QWidget *owner, QWidget *map, QWidget *&tablePage)
{
    auto *tabs = new QTabWidget(owner);
    tabs->setObjectName("Pages");
    tabs->addTab(map, "World Map");
    tablePage = new QWidget(tabs);
    tabs->addTab(tablePage, "Table");
    return tabs;
}

TFrmMT18::TFrmMT18(QWidget *parent) : TPointTableWindow("FrmMT18", "MT18 - Ionospheric Grid Point masks", parent)
{
    World = new WorldMap;
    QWidget *tablePage = nullptr;
    Layout()->addWidget(AddMapAndTablePages(this, World, tablePage));
    AddGrid(new QVBoxLayout(tablePage), "Table", 4, kGridRows, {"IGP #", "Band #", "Latitude", "Longitude"});
    AddCloseButton();
    FormShow();
}

TFrmMT26::TFrmMT26(QWidget *parent) : TPointTableWindow("FrmMT26", "MT26 - Ionospheric delay corrections ", parent)
{
    auto *mapPage = new QWidget;
    auto *mapLayout = new QVBoxLayout(mapPage);
    World = new WorldMap(mapPage);
    mapLayout->addWidget(World);
    auto *readout = new QHBoxLayout;
    const std::pair<const char *, const char *> boxes[] = {
        {"igp_no", "IGP #"},          {"igp_lat", "Latitude"}, {"igp_lon", "Longitude"},
        {"GIVEI", mt26::kPoint[1].name}, {"igp_vert_delay", mt26::kPoint[0].name},
        {"igp_give_i", "GIVE (m)"},   {"igp_give_i_sigma", "sigma2 GIVE (m^2)"}};
    int n = 0;
    for (const auto &[name, label] : boxes)
        boxes_[n++] = AddBox(readout, name, label);
    connect(World, &WorldMap::PictureMouseMove, this, &TFrmMT26::WorldMouseMove);
    mapLayout->addLayout(readout);
    QWidget *tablePage = nullptr;
    Layout()->addWidget(AddMapAndTablePages(this, mapPage, tablePage));
    AddGrid(new QVBoxLayout(tablePage), "Table", 8, kGridRows,
            QStringList{"IGP #", "Band #", "Latitude", "Longitude"} + LabelsOf(mt26::kPoint) +
                QStringList{"GIVE (m)", "sigma2 GIVE (m^2)"});
    AddCloseButton();
    FormShow();
}

void TFrmMT18::DrawPoint(int latitude, int longitude)
{
    World->Mark(latitude, longitude, QColor(0, 0, 255));
}

void TFrmMT18::Reset()
{
    ++layouts_;
    World->Fill(Qt::white);
    World->Load(Locate(kWorldPictureFile, Installed::Data));
    TPointTableWindow::Reset();
}

void TFrmMT26::DrawPoint(const IGPEntry &e, int index)
{
    QColor colour(0, 0, 255);
    if (WholePart(e.VerticalDelay) > 9999)
        colour = QColor(255, 0, 0);
    else if (WholePart(e.GIVE) == 10000 || WholePart(e.VarGIVE) == 10000)
        colour = QColor(0, 0, 0);
    const QPoint at = World->Mark(e.Latitude, e.Longitude, colour);
    if (index < 0 || index >= kIgpCount)
        return;
    hits_[index] = {at.x(), at.y(), e, true};
}

void TFrmMT26::WorldMouseMove(int x, int y)
{
    for (int i = 0; i < kIgpCount; ++i) {
        const Hit &h = hits_[i];
        if (!h.drawn || !(x - 12 < h.x && h.x < x && y - 20 < h.y && h.y < y - 7))
            continue;
        const IGPEntry &e = h.entry;
        const auto q = [](const std::string &s) { return QString::fromStdString(s); };
        boxes_[0]->setText(QString::number(i));
        boxes_[1]->setText(q(LatitudeText(e.Latitude)));
        boxes_[2]->setText(q(LongitudeText(e.Longitude)));
        boxes_[3]->setText(QString::number(e.GIVEI));
        boxes_[4]->setText(WholePart(e.VerticalDelay) < 10000 ? q(FloatText(e.VerticalDelay)) : "Do Not Use");
        boxes_[5]->setText(WholePart(e.GIVE) < 10000 ? q(FloatText(e.GIVE)) : "Not Monitored");
        boxes_[6]->setText(WholePart(e.VarGIVE) < 10000 ? q(FloatText(e.VarGIVE)) : "Not Monitored");
        return;
    }
    for (QLineEdit *box : boxes_)
        box->clear();
}

void TFrmMT26::FormShow()
{
    ++layouts_;
    TPointTableWindow::FormShow();
    const int h = World->Picture().height();
    World->Write(50, h - 90, "+ Monitored", QColor(0, 0, 255), 10);
    World->Write(50, h - 75, "+ Not Monitored", QColor(0, 0, 0), 10);
    World->Write(50, h - 60, "+ Do Not Use", QColor(255, 0, 0), 10);
}

void TFrmMT26::Reset()
{
    World->Load(Locate(kWorldPictureFile, Installed::Data));
    TPointTableWindow::Reset(); // draws the legend again
}
