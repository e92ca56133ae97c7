#include "givei_map.h"

#include "grid_map_forms.h"
#include "text/display_text.h"
#include "text/number_text.h"
#include "watch/signal_watch.h"
#include "world_map.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr double kMarkRadius = 4;   // screen pixels
constexpr double kReach = 8;        // screen pixels a pointer may be off a mark
// The centre of a grid point's "+" in the type 26 map, from the top-left corner the picture's
// fitting gives (a "+" of 12 x 13 pixels drawn from 7 pixels above it).
constexpr QPointF kMarkCentre(6, 13);
const QColor kNotReceived(150, 150, 150);

} // namespace

QColor GiveiColour(int givei)
{
    if (givei >= 15)
        return QColor(0, 0, 0);
    // Hue 120 (green) at GIVEI 0 to 0 (red) at 14.
    return QColor::fromHsv(static_cast<int>(std::lround(120.0 * (14 - std::clamp(givei, 0, 14)) / 14)), 230, 220);
}

GiveiMap::GiveiMap(const SignalWatch &watch, const IGPBuffer &grid, QWidget *parent)
    : QWidget(parent), watch_(watch), grid_(grid), picture_(WorldMap::Stored()), readout_(new QLabel(this)),
      timer_(new QTimer(this))
{
    setObjectName("GiveiMap");
    setAccessibleName("Grid points by GIVEI and age");
    setMouseTracking(true);
    setMinimumSize(360, 180);
    readout_->setObjectName("GiveiReadout");
    readout_->setAccessibleName("Grid point under the pointer");
    timer_->setInterval(kRedrawMilliseconds);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (isVisible())
            update();
    });
    timer_->start();
}

QRectF GiveiMap::Shown() const
{
    QSizeF size = picture_.size();
    size.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
    return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QPointF GiveiMap::Position(int entry) const
{
    const IGPEntry &e = grid_.entry[std::clamp(entry, 0, kIgpCount - 1)];
    const QPointF inPicture =
        QPointF(WorldMap::MarkPosition(e.Latitude, e.Longitude, picture_.width(), picture_.height())) + kMarkCentre;
    const QRectF shown = Shown();
    return shown.topLeft() + QPointF(inPicture.x() * shown.width() / picture_.width(),
                                     inPicture.y() * shown.height() / picture_.height());
}

int GiveiMap::PointAt(const QPointF &at) const
{
    int nearest = -1;
    double best = kReach * kReach;
    for (int entry = 0; entry < kIgpCount; ++entry) {
        if (!watch_.GridPoint(entry).inMask)
            continue;
        const QPointF d = Position(entry) - at;
        const double squared = d.x() * d.x() + d.y() * d.y();
        if (squared <= best) {
            best = squared;
            nearest = entry;
        }
    }
    return nearest;
}

QString GiveiMap::Readout(int entry) const
{
    if (entry < 0 || entry >= kIgpCount)
        return {};
    const IGPEntry &e = grid_.entry[entry];
    const GridPointAge point = watch_.GridPoint(entry);
    QString text = QString("IGP %1: %2 %3")
                       .arg(entry)
                       .arg(QString::fromStdString(LatitudeText(e.Latitude)),
                            QString::fromStdString(LongitudeText(e.Longitude)));
    if (!point.delay.received)
        return text + ", not received yet";
    text += QString(", GIVEI %1, delay %2, %3 s old")
                .arg(point.givei)
                .arg(e.VerticalDelay >= 10000 ? QString("Do Not Use")
                                              : QString::fromStdString(FloatText(e.VerticalDelay)) + " m")
                .arg(std::llround(point.delay.age));
    if (point.delay.timeout >= 0)
        text += QString(" (time-out %1 s%2)").arg(point.delay.timeout).arg(point.delay.Expired() ? ", timed out" : "");
    return text;
}

void GiveiMap::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(Shown(), picture_);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int entry = 0; entry < kIgpCount; ++entry) {
        const GridPointAge point = watch_.GridPoint(entry);
        if (!point.inMask)
            continue;
        const QPointF at = Position(entry);
        if (!point.delay.received) {
            painter.setPen(QPen(kNotReceived, 1.5));
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.setPen(QPen(Qt::black, 0.8));
            painter.setBrush(GiveiColour(point.givei));
        }
        painter.drawEllipse(at, kMarkRadius, kMarkRadius);
        if (point.delay.Expired()) {
            painter.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
            painter.drawEllipse(at, kMarkRadius, kMarkRadius);
        }
    }
    DrawLegend(painter);
}

void GiveiMap::DrawLegend(QPainter &painter) const
{
    const QFontMetrics metrics(font());
    const double line = metrics.height() + 2;
    const QRectF shown = Shown();
    QPointF at(shown.left() + 8, shown.bottom() - 8 - 3 * line);
    painter.setPen(Qt::black);
    painter.drawText(at + QPointF(0, metrics.ascent()), "GIVEI");
    double x = at.x() + metrics.horizontalAdvance("GIVEI ") + 2;
    for (int givei = 0; givei <= 15; ++givei) {
        const QRectF box(x, at.y(), metrics.horizontalAdvance("15") + 4, line - 2);
        painter.setPen(QPen(Qt::black, 0.8));
        painter.setBrush(GiveiColour(givei));
        painter.drawRect(box);
        painter.setPen(givei >= 12 ? Qt::white : Qt::black);
        painter.drawText(box, Qt::AlignCenter, QString::number(givei));
        x += box.width();
    }
    const std::pair<int, const char *> marks[] = {{0, "not received yet"}, {1, "delay timed out"}};
    for (const auto &[kind, words] : marks) {
        at.ry() += line;
        const QPointF centre = at + QPointF(kMarkRadius + 1, line / 2);
        painter.setPen(QPen(kind == 0 ? kNotReceived : Qt::black, kind == 0 ? 1.5 : 0.8));
        painter.setBrush(kind == 0 ? QBrush(Qt::NoBrush) : QBrush(Qt::black, Qt::BDiagPattern));
        painter.drawEllipse(centre, kMarkRadius, kMarkRadius);
        painter.setPen(Qt::black);
        painter.drawText(at + QPointF(3 * kMarkRadius + 4, metrics.ascent()), words);
    }
}

void GiveiMap::mouseMoveEvent(QMouseEvent *event)
{
    const int entry = PointAt(event->position());
    if (entry != pointed_) {
        pointed_ = entry;
        readout_->setText(Readout(entry));
    }
    QWidget::mouseMoveEvent(event);
}

void AddGiveiPage(TFrmMT26 &window, const SignalWatch &watch, const IGPBuffer &grid)
{
    auto *pages = window.findChild<QTabWidget *>("Pages");
    if (!pages)
        return;
    auto *page = new QWidget(pages);
    page->setObjectName("GiveiPage");
    auto *layout = new QVBoxLayout(page);
    auto *map = new GiveiMap(watch, grid, page);
    layout->addWidget(map, 1);
    map->ReadoutLabel()->setParent(page);
    layout->addWidget(map->ReadoutLabel());
    pages->addTab(page, "GIVEI and age");
}
