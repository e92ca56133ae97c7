#pragma once

#include <QObject>

#include <vector>

class QWidget;
class TickSource;

// Paints a window at most once per interval. Qt asks a top-level window to repaint its dirty
// parts with an update request, one at a time until it is handled; the pacer lets one through
// when no interval is running, starts one, and holds the requests that come before it is up,
// handing the window a new request then, so the last state is always painted. Contents are
// written at once; only their painting waits. At the live rate (a message a second) every
// request passes straight through.
class PaintPacer final : public QObject {
public:
    static constexpr int kIntervalMs = 33; // about 30 paints a second

    // The interval's ticks are a child of the window named "PaintPacer", which a test may
    // take by hand.
    explicit PaintPacer(QWidget &window, int intervalMs = kIntervalMs);

    // Paces the layout requests of a widget inside the window as well: a text that changes
    // with every message otherwise lays the window out again after each. The widget must
    // live as long as the pacer.
    void PaceLayoutOf(QWidget &widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Release();

    QWidget &window_;
    const int intervalMs_;
    TickSource *interval_; // running from a paint let through until the interval is up
    bool updateHeld_ = false;
    std::vector<QWidget *> layoutWidgets_;
    std::vector<QWidget *> layoutsHeld_;
};
