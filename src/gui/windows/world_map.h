#pragma once

#include <QLabel>

// The world picture of the ionospheric grid windows: an equirectangular map of the whole
// Earth, longitude -180 to 180 left to right, latitude 90 to -90 top to bottom.
class WorldMap final : public QLabel {
    Q_OBJECT
public:
    explicit WorldMap(QWidget *parent = nullptr);
    static QPixmap Blank(int width = 720, int height = 360);
};
