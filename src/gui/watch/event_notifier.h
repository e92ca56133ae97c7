#pragma once

#include "watch/event_log.h"

#include <QObject>
#include <QString>

#include <vector>

class QSystemTrayIcon;

// Desktop notifications of events through the system tray. Where the desktop has no tray (an
// offscreen or bare X server) nothing is shown; the text that would have been is still kept.
class EventNotifier final : public QObject {
    Q_OBJECT
public:
    explicit EventNotifier(QObject *parent);
    ~EventNotifier() override;

    bool Available() const { return tray_ != nullptr; }
    // One notification for the events given (the newest last); none for none.
    void Notify(const std::vector<const WatchEvent *> &events);
    const QString &LastText() const { return last_; }
    int Notifications() const { return count_; }

private:
    QSystemTrayIcon *tray_ = nullptr;
    QString last_;
    int count_ = 0;
};

// "Time-out: GPS 5 long-term correction: valid → timed out (time-out 240 s)".
QString EventSummary(const WatchEvent &event);
