#include "event_notifier.h"

#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>

namespace {
constexpr int kListed = 5;            // events a notification names; the rest are counted
constexpr int kShownMilliseconds = 10000;
} // namespace

QString EventSummary(const WatchEvent &e)
{
    return QString("%1: %2: %3 → %4")
        .arg(KindName(e.kind), QString::fromStdString(e.item), QString::fromStdString(e.from),
             QString::fromStdString(e.to));
}

EventNotifier::EventNotifier(QObject *parent) : QObject(parent)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    tray_ = new QSystemTrayIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning), this);
    tray_->setObjectName("EventTray");
    tray_->setToolTip("VELMAR Signal Events");
}

EventNotifier::~EventNotifier() = default;

void EventNotifier::Notify(const std::vector<const WatchEvent *> &events)
{
    if (events.empty())
        return;
    QStringList lines;
    const int first = std::max(0, static_cast<int>(events.size()) - kListed);
    for (std::size_t i = static_cast<std::size_t>(first); i < events.size(); ++i)
        lines << EventSummary(*events[i]);
    if (first > 0)
        lines.prepend(QString("%1 events, the latest:").arg(events.size()));
    last_ = lines.join('\n');
    ++count_;
    if (!tray_)
        return;
    tray_->show(); // shown once there is news, so an idle watch leaves the tray alone
    tray_->showMessage("VELMAR Signal Events", last_, QSystemTrayIcon::Warning, kShownMilliseconds);
}
