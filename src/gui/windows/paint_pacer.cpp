#include "paint_pacer.h"

#include "tick_source.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>

PaintPacer::PaintPacer(QWidget &window, int intervalMs)
    : QObject(&window), window_(window), intervalMs_(intervalMs),
      interval_(new TickSource("PaintPacer", true, Qt::PreciseTimer, &window))
{
    connect(interval_, &TickSource::Tick, this, &PaintPacer::Release);
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
        if (!interval_->IsActive()) {
            interval_->Start(intervalMs_);
            return false;
        }
        updateHeld_ = true;
        return true;
    }
    if (event->type() == QEvent::LayoutRequest) {
        // Every object's layout requests pass here, not only widgets': found first, cast after.
        const auto paced = std::find(layoutWidgets_.begin(), layoutWidgets_.end(), watched);
        if (paced == layoutWidgets_.end() || !interval_->IsActive())
            return false;
        QWidget *widget = *paced;
        if (std::find(layoutsHeld_.begin(), layoutsHeld_.end(), widget) == layoutsHeld_.end())
            layoutsHeld_.push_back(widget);
        return true;
    }
    return false;
}

// The interval is up: the held requests are posted again and pass, layouts first, so that the
// paint that follows shows the widgets where they now belong.
void PaintPacer::Release()
{
    for (QWidget *widget : layoutsHeld_)
        QCoreApplication::postEvent(widget, new QEvent(QEvent::LayoutRequest));
    layoutsHeld_.clear();
    if (updateHeld_)
        QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    updateHeld_ = false;
}
