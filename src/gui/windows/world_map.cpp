#include "world_map.h"

#include "files/regular_file.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>

WorldMap::WorldMap(QWidget *parent) : QWidget(parent)
{
    setObjectName("World");
    setAccessibleName("World Map");
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(180, 90);
    picture_ = Stored();
}

QImage WorldMap::Blank(int width, int height)
{
    QImage map(width, height, QImage::Format_RGB32);
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

QImage WorldMap::Stored()
{
    QImage stored(":/world.bmp");
    if (stored.isNull())
        return Blank();
    return stored.convertToFormat(QImage::Format_RGB32);
}

QPoint WorldMap::MarkPosition(int latitude, int longitude, int width, int height)
{
    // C++ integer division truncates toward zero, as the fitting terms expect.
    const int y0 = height / 2 - 13;
    const int x0 = width / 2 + 1;
    const int y = static_cast<int>(y0 - static_cast<double>(latitude) * height / 180 + static_cast<double>((latitude / 20) * 2));
    const int x = static_cast<int>(static_cast<double>(longitude) * width / 360) + x0 - longitude / 20;
    return {x, y};
}

const QImage &WorldMap::Picture() const
{
    EndPainting();
    return picture_;
}

QPainter &WorldMap::Painter()
{
    if (!painter_)
        painter_ = std::make_unique<QPainter>(&picture_);
    return *painter_;
}

void WorldMap::EndPainting() const
{
    painter_.reset();
}

void WorldMap::SetPicture(const QImage &picture)
{
    EndPainting();
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    updateGeometry();
    update();
}

void WorldMap::Fill(const QColor &colour)
{
    EndPainting();
    picture_.fill(colour);
    update();
}

bool WorldMap::Load(const QString &path)
{
    // Read without waiting and only from a regular file: a FIFO of that name would otherwise
    // freeze the window at every reset. 64 MiB is far beyond any picture of the world.
    std::string error;
    const auto bytes = ReadRegularFile(QFile::encodeName(path).toStdString(), 64u << 20, error);
    QImage loaded;
    if (!bytes || !loaded.loadFromData(QByteArray::fromStdString(*bytes)) || loaded.isNull())
        return false;
    SetPicture(loaded);
    return true;
}

void WorldMap::Write(int x, int y, const QString &text, const QColor &colour, int points)
{
    QPainter &p = Painter();
    QFont font = p.font();
    font.setPointSize(points);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(x, y, 4000, 200), Qt::AlignLeft | Qt::AlignTop, text);
    update();
}

QPoint WorldMap::Mark(int latitude, int longitude, const QColor &colour)
{
    const QPoint at = MarkPosition(latitude, longitude, picture_.width(), picture_.height());
    auto stamp = stamps_.find(colour.rgb());
    if (stamp == stamps_.end()) {
        QImage glyph(24, 32, QImage::Format_ARGB32_Premultiplied);
        glyph.fill(Qt::transparent);
        QPainter g(&glyph);
        QFont font = g.font();
        font.setPointSize(14);
        g.setFont(font);
        g.setPen(colour);
        g.drawText(glyph.rect(), Qt::AlignLeft | Qt::AlignTop, "+");
        g.end();
        stamp = stamps_.insert(colour.rgb(), glyph);
    }
    Painter().drawImage(at, *stamp);
    update(ToWidget(QRect(at, stamp->size()))); // a few marks repaint their place, not the map
    return at;
}

QRect WorldMap::Shown() const
{
    if (picture_.isNull())
        return rect();
    QSize s = picture_.size();
    s.scale(size(), Qt::KeepAspectRatio);
    return QRect(QPoint(0, 0), s);
}

QPoint WorldMap::ToPicture(const QPoint &widgetPos) const
{
    const QRect shown = Shown();
    if (shown.width() <= 0 || shown.height() <= 0)
        return widgetPos;
    return {widgetPos.x() * picture_.width() / shown.width(), widgetPos.y() * picture_.height() / shown.height()};
}

QRect WorldMap::ToWidget(const QRect &pictureRect) const
{
    const QRect shown = Shown();
    if (picture_.isNull() || picture_.width() <= 0 || picture_.height() <= 0)
        return rect();
    // Whole pixels around it: the smooth scaling blends neighbours in.
    return QRect(QPoint(pictureRect.left() * shown.width() / picture_.width() - 2,
                        pictureRect.top() * shown.height() / picture_.height() - 2),
                 QPoint((pictureRect.right() + 1) * shown.width() / picture_.width() + 2,
                        (pictureRect.bottom() + 1) * shown.height() / picture_.height() + 2));
}

void WorldMap::paintEvent(QPaintEvent *)
{
    EndPainting();
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(Shown(), picture_);
}

void WorldMap::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = ToPicture(event->position().toPoint());
    Q_EMIT PictureMouseMove(at.x(), at.y());
}
