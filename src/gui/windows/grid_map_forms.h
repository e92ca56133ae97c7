#pragma once

#include "message_window.h"

class QLineEdit;
class QTabWidget;
class WorldMap;

// Type 18: the masked ionospheric grid points of every band received.
class TFrmMT18 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT18(QWidget *parent = nullptr);

private:
    WorldMap *World;
};

// Type 26: vertical delays and their integrity at the masked grid points.
class TFrmMT26 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT26(QWidget *parent = nullptr);

private:
    WorldMap *World;
};

// The "World Map" and "Table" pages of the grid windows.
QTabWidget *AddMapAndTablePages(QWidget *owner, QWidget *map, QWidget *&tablePage);
