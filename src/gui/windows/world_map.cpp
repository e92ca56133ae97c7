#include "world_map.h"

#include <QPainter>

WorldMap::WorldMap(QWidget *parent) : QLabel(parent)
{
    setObjectName("World");
    setAccessibleName("World Map");
    setPixmap(Blank());
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QPixmap WorldMap::Blank(int width, int height)
{
    QPixmap map(width, height);
    map.fill(QColor(200, 225, 245));
    QPainter p(&map);
    p.setPen(QColor(160, 190, 215));
    for (int lon = -180; lon <= 180; lon += 30) {
        const int x = (lon + 180) * width / 360;
        p.drawLine(x, 0, x, height);
    }
    for (int lat = -90; lat <= 90; lat += 30) {
        const int y = (90 - lat) * height / 180;
        p.drawLine(0, y, width, y);
    }
    return map;
}
