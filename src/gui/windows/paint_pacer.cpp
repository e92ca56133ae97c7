#include "paint_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>

PaintPacer::PaintPacer(QWidget &window, int intervalMs) : QObject(&window), window_(window), intervalMs_(intervalMs)
{
    release_.setSingleShot(true);
    release_.setTimerType(Qt::PreciseTimer);
    connect(&release_, &QTimer::timeout, this, &PaintPacer::Release);
    window.installEventFilter(this);
}

// A widget's layout takes its request before the widget's own event filters see it: only an
// application filter comes first.
void PaintPacer::PaceLayoutOf(QWidget &widget)
{
    if (layoutWidgets_.empty()) {
        // The application filter sees the window's requests too: filtered twice, a request let
        // through by the first look would be held by the second, and the window never painted.
        window_.removeEventFilter(this);
        QCoreApplication::instance()->installEventFilter(this);
    }
    layoutWidgets_.push_back(&widget);
}

bool PaintPacer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::UpdateRequest && watched == &window_) {
        if (!Hold()) {
            sincePaint_.start();
            return false;
        }
        updateHeld_ = true;
        return true;
    }
    if (event->type() == QEvent::LayoutRequest) {
        // Every object's layout requests pass here, not only widgets': found first, cast after.
        const auto paced = std::find(layoutWidgets_.begin(), layoutWidgets_.end(), watched);
        if (paced == layoutWidgets_.end() || !Hold())
            return false;
        QWidget *widget = *paced;
        if (std::find(layoutsHeld_.begin(), layoutsHeld_.end(), widget) == layoutsHeld_.end())
            layoutsHeld_.push_back(widget);
        return true;
    }
    return false;
}

// True when the request is to wait for the end of the interval, the release then armed.
bool PaintPacer::Hold()
{
    if (release_.isActive())
        return true;
    const qint64 since = sincePaint_.isValid() ? sincePaint_.elapsed() : intervalMs_;
    if (since >= intervalMs_)
        return false;
    release_.start(static_cast<int>(intervalMs_ - since));
    return true;
}

// Layouts first: the paint that follows shows the widgets where they now belong.
void PaintPacer::Release()
{
    sincePaint_.invalidate(); // the requests posted now pass
    for (QWidget *widget : layoutsHeld_)
        QCoreApplication::postEvent(widget, new QEvent(QEvent::LayoutRequest));
    layoutsHeld_.clear();
    if (updateHeld_)
        QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    updateHeld_ = false;
}
