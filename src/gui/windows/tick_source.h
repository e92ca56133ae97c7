#pragma once

#include <QObject>
#include <QTimer>

// The ticks that pace a window's painting or redrawing: a timer in the application. A test
// finds the source by its object name, takes the ticks into its own hands and steps them, so
// that what it checks waits on no clock and holds on a slow machine as on a fast one.
class TickSource final : public QObject {
    Q_OBJECT
public:
    TickSource(const QString &name, bool singleShot, Qt::TimerType type, QObject *parent);

    // A single-shot source ticks once, ms from now; a repeating one every ms.
    void Start(int ms);
    void Stop();
    bool IsActive() const;

    // For tests: the timer stops, and from now on the source ticks only when stepped; a tick
    // that was due stays due.
    void TakeByHand();
    // For tests: the tick that is due, now; false when none is (the source is not active).
    bool Step();

Q_SIGNALS:
    void Tick();

private:
    QTimer timer_;
    bool byHand_ = false;
    bool due_ = false; // by hand: started and not yet stepped (single-shot) or stopped
};
