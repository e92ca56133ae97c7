#include "world_map.h"

#include "files/regular_file.h"

#include <QFile>
#include <QtMath>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace {

// The font of the marks and texts. Qt drops the hinting of fonts on a screen of a device pixel
// ratio above 1, which would draw the picture's "+" blurred there: the hinting is fixed to the one
// a screen of ratio 1 gets, so the picture is the same on every screen.
QFont MapFont(QFont font, int points)
{
    font.setPointSize(points);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

} // namespace

class WorldMap::Canvas final : public QWidget {
public:
    explicit Canvas(WorldMap &map) : QWidget(&map), map_(map)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true); // its moves reach the map, which reads the picture under them
    }

protected:
    void paintEvent(QPaintEvent *) override { map_.PaintCanvas(*this); }

private:
    WorldMap &map_;
};

WorldMap::WorldMap(QWidget *parent) : QWidget(parent), canvas_(new Canvas(*this))
{
    setObjectName("World");
    setAccessibleName("World Map");
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(180, 90);
    picture_ = Stored();
    Restart();
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
    Restart();
    updateGeometry();
    canvas_->setGeometry(Shown());
    canvas_->update();
}

void WorldMap::Fill(const QColor &colour)
{
    EndPainting();
    picture_.fill(colour);
    Restart();
    canvas_->update();
}

void WorldMap::Restart()
{
    plain_ = picture_;
    drawings_.clear();
    markAt_.clear();
    textAt_.clear();
    view_ = QImage();
    viewPending_.clear();
}

void WorldMap::Remember(const Drawing &d)
{
    const uint64_t order = nextDrawing_++;
    uint64_t *previous = nullptr;
    if (d.text.isEmpty()) {
        const quint64 place = (quint64(quint32(d.at.x())) << 32) | quint32(d.at.y());
        previous = &markAt_[place];
    } else {
        previous = &textAt_[QString("%1,%2,%3").arg(d.at.x()).arg(d.at.y()).arg(d.text)];
    }
    // A place drawn again is covered by the new drawing: only the newest is kept, so a map redrawn
    // with every message holds one drawing a place, not one a message.
    if (*previous != 0)
        drawings_.erase(*previous - 1);
    *previous = order + 1;
    drawings_.emplace(order, d);
    if (view_.isNull())
        return;
    // Drawn on the view when it is next shown. A view that falls far behind (a window kept
    // hidden) is made again from the drawings, one a place, instead.
    viewPending_.push_back(d);
    if (viewPending_.size() > 2 * drawings_.size() + 64) {
        view_ = QImage();
        viewPending_.clear();
    }
}

WorldMap::Stamp WorldMap::MakeStamp(QRgb colour, qreal sx, qreal sy)
{
    // The "+" in its 24 x 32 cell, drawn at the given scale rather than scaled afterwards.
    QImage glyph(qCeil(24 * sx), qCeil(32 * sy), QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    QPainter g(&glyph);
    g.scale(sx, sy);
    g.setFont(MapFont(g.font(), 14));
    g.setPen(QColor::fromRgb(colour));
    g.drawText(QRect(0, 0, 24, 32), Qt::AlignLeft | Qt::AlignTop, "+");
    g.end();
    // Most of the cell is transparent, which leaves a picture as it is: only the pixels the "+"
    // covers are kept, so a mark blends a few dozen pixels, not the whole cell.
    QRect drawn;
    for (int y = 0; y < glyph.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(glyph.constScanLine(y));
        for (int x = 0; x < glyph.width(); ++x)
            if (qAlpha(line[x]) != 0)
                drawn |= QRect(x, y, 1, 1);
    }
    return {glyph.copy(drawn), drawn.topLeft()};
}

void WorldMap::DrawOnView(QPainter &p, const Drawing &d)
{
    const qreal sx = qreal(view_.width()) / picture_.width();
    const qreal sy = qreal(view_.height()) / picture_.height();
    if (d.text.isEmpty()) {
        auto stamp = viewStamps_.find(d.colour.rgb());
        if (stamp == viewStamps_.end())
            stamp = viewStamps_.insert(d.colour.rgb(), MakeStamp(d.colour.rgb(), sx, sy));
        p.drawImage(QPoint(qRound(d.at.x() * sx), qRound(d.at.y() * sy)) + stamp->offset, stamp->pixels);
        return;
    }
    p.save();
    p.scale(sx, sy);
    p.setFont(MapFont(p.font(), d.points));
    p.setPen(d.colour);
    p.drawText(QRect(d.at.x(), d.at.y(), 4000, 200), Qt::AlignLeft | Qt::AlignTop, d.text);
    p.restore();
}

const QImage &WorldMap::Rendered(const QSize &size)
{
    if (!view_.isNull() && view_.size() == size) {
        if (!viewPending_.empty()) {
            QPainter p(&view_);
            for (const Drawing &d : viewPending_)
                DrawOnView(p, d);
            viewPending_.clear();
        }
        return view_;
    }
    viewPending_.clear();
    view_ = plain_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
    viewStamps_.clear();
    QPainter p(&view_);
    for (const auto &entry : drawings_)
        DrawOnView(p, entry.second);
    return view_;
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
    p.setFont(MapFont(p.font(), points));
    p.setPen(colour);
    p.drawText(QRect(x, y, 4000, 200), Qt::AlignLeft | Qt::AlignTop, text);
    Remember({{x, y}, text, colour, points});
    canvas_->update();
}

QPoint WorldMap::Mark(int latitude, int longitude, const QColor &colour)
{
    const QPoint at = MarkPosition(latitude, longitude, picture_.width(), picture_.height());
    auto stamp = stamps_.find(colour.rgb());
    if (stamp == stamps_.end())
        stamp = stamps_.insert(colour.rgb(), MakeStamp(colour.rgb(), 1, 1));
    const QRect covered(at + stamp->offset, stamp->pixels.size());
    Painter().drawImage(covered.topLeft(), stamp->pixels);
    Remember({at, QString(), colour, 14});
    RepaintLater(ToWidget(covered)); // a few marks repaint their place, not the map
    return at;
}

void WorldMap::RepaintLater(const QRect &area)
{
    // A widget out of sight is painted whole when it comes into sight.
    if (!isVisible())
        return;
    dirty_ = dirty_.united(area);
    if (repaintAsked_)
        return;
    repaintAsked_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            repaintAsked_ = false;
            canvas_->update(std::exchange(dirty_, QRect()));
        },
        Qt::QueuedConnection);
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

void WorldMap::resizeEvent(QResizeEvent *)
{
    canvas_->setGeometry(Shown());
}

void WorldMap::PaintCanvas(QWidget &canvas)
{
    EndPainting();
    QPainter p(&canvas);
    const QRect shown = canvas.rect();
    if (picture_.isNull()) {
        p.fillRect(shown, palette().window());
        return;
    }
    const QSize pixels = (QSizeF(shown.size()) * devicePixelRatioF()).toSize();
    if (pixels == picture_.size() || pixels.isEmpty()) {
        p.drawImage(shown, picture_); // one picture pixel a screen pixel
        return;
    }
    p.drawImage(shown, Rendered(pixels)); // drawn for these screen pixels: nothing is scaled here
}

void WorldMap::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = ToPicture(event->position().toPoint());
    Q_EMIT PictureMouseMove(at.x(), at.y());
}
