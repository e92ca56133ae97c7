#include "grid_map_forms.h"

#include "world_map.h"

#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int kGridRows = 2193; // the headings and one row per grid point
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

TFrmMT18::TFrmMT18(QWidget *parent) : TMessageWindow("FrmMT18", "MT18 - Ionospheric Grid Point masks", parent)
{
    World = new WorldMap;
    QWidget *tablePage = nullptr;
    Layout()->addWidget(AddMapAndTablePages(this, World, tablePage));
    AddGrid(new QVBoxLayout(tablePage), "Table", 4, kGridRows, {"IGP #", "Band #", "Latitude", "Longitude"});
    AddCloseButton();
    FormShow();
}

TFrmMT26::TFrmMT26(QWidget *parent) : TMessageWindow("FrmMT26", "MT26 - Ionospheric delay corrections ", parent)
{
    auto *mapPage = new QWidget;
    auto *mapLayout = new QVBoxLayout(mapPage);
    World = new WorldMap(mapPage);
    mapLayout->addWidget(World);
    auto *readout = new QHBoxLayout;
    const std::pair<const char *, const char *> boxes[] = {
        {"igp_no", "IGP #"},          {"igp_lat", "Latitude"}, {"igp_lon", "Longitude"},
        {"GIVEI", "GIVEI"},           {"igp_vert_delay", "Vertical Delay (m)"},
        {"igp_give_i", "GIVE (m)"},   {"igp_give_i_sigma", "sigma2 GIVE (m^2)"}};
    for (const auto &[name, label] : boxes)
        AddBox(readout, name, label);
    mapLayout->addLayout(readout);
    QWidget *tablePage = nullptr;
    Layout()->addWidget(AddMapAndTablePages(this, mapPage, tablePage));
    AddGrid(new QVBoxLayout(tablePage), "Table", 8, kGridRows,
            {"IGP #", "Band #", "Latitude", "Longitude", "Vertical Delay (m)", "GIVEI", "GIVE (m)",
             "sigma2 GIVE (m^2)"});
    AddCloseButton();
    FormShow();
}
