#include "signal_events_form.h"

#include "event_notifier.h"
#include "watch/signal_watch.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

const QStringList kHeadings = {"GPS time", "GEO", "Kind", "Item", "Old", "New"};
// Control names of the kinds, in the order of EventKind.
constexpr const char *kKindKeys[] = {"TestMode", "Udrei", "TimeOut", "Recovery", "IssueOfData",
                                     "Mask",     "Gap",   "Interval", "Parity", "Mode"};
static_assert(std::size(kKindKeys) == kEventKinds);
constexpr int kKindsARow = 5;

QTableWidgetItem *Cell(const std::string &text)
{
    return new QTableWidgetItem(QString::fromStdString(text));
}

} // namespace

TFrmEvents::TFrmEvents(SignalWatch &watch, std::function<std::string()> messageLogPath, QWidget *parent)
    : TMessageWindow("FrmEvents", "Signal Events", parent), watch_(watch), messageLogPath_(std::move(messageLogPath)),
      timer_(new QTimer(this)), notifier_(new EventNotifier(this))
{
    // Two boxes of ticks, five kinds a row, so that every kind's name is read whole.
    auto *showBox = new QGroupBox("Show", this);
    showBox->setObjectName("ShowKinds");
    auto *notifyBox = new QGroupBox(notifier_->Available() ? "Notify on the desktop"
                                                           : "Notify on the desktop (this desktop has no system tray)",
                                    this);
    notifyBox->setObjectName("NotifyKinds");
    auto *showGrid = new QGridLayout(showBox);
    auto *notifyGrid = new QGridLayout(notifyBox);
    for (int k = 0; k < kEventKinds; ++k) {
        const QString name = KindName(static_cast<EventKind>(k));
        auto *show = new QCheckBox(name, showBox);
        show->setObjectName(QString("Show") + kKindKeys[k]);
        show->setAccessibleName("Show " + name + " events");
        show->setChecked(true);
        connect(show, &QCheckBox::toggled, this, [this] {
            rebuild_ = true;
            if (isVisible())
                Redraw(); // the user's own click: answered at once
        });
        auto *notify = new QCheckBox(name, notifyBox);
        notify->setObjectName(QString("Notify") + kKindKeys[k]);
        notify->setAccessibleName("Notify " + name + " events on the desktop");
        showGrid->addWidget(show, k / kKindsARow, k % kKindsARow);
        notifyGrid->addWidget(notify, k / kKindsARow, k % kKindsARow);
        show_[static_cast<std::size_t>(k)] = show;
        notify_[static_cast<std::size_t>(k)] = notify;
    }
    Layout()->addWidget(showBox);
    Layout()->addWidget(notifyBox);

    QTableWidget *grid = AddGrid(Layout(), "Events", kHeadings.size(), 1, kHeadings);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto *fileRow = new QHBoxLayout;
    writeToFile_ = new QCheckBox("Write to a file beside the message log", this);
    writeToFile_->setObjectName("WriteToFile");
    writeToFile_->setAccessibleName("Write the events to a file beside the message log");
    filePath_ = new QLineEdit(this);
    filePath_->setObjectName("EventFilePath");
    filePath_->setAccessibleName("Event file");
    filePath_->setReadOnly(true);
    fileRow->addWidget(writeToFile_);
    fileRow->addWidget(filePath_, 1);
    Layout()->addLayout(fileRow);
    connect(writeToFile_, &QCheckBox::toggled, this, &TFrmEvents::WriteToFileToggled);

    auto *statusRow = new QHBoxLayout;
    count_ = new QLabel(this);
    count_->setObjectName("EventCount");
    fileStatus_ = new QLabel(this);
    fileStatus_->setObjectName("EventFileStatus");
    fileStatus_->setWordWrap(true);
    statusRow->addWidget(count_);
    statusRow->addWidget(fileStatus_, 1);
    Layout()->addLayout(statusRow);

    AddCloseButton();
    FormShow();
    setMinimumSize(900, 500);

    timer_->setObjectName("EventsTick");
    timer_->setInterval(kTickMilliseconds);
    connect(timer_, &QTimer::timeout, this, &TFrmEvents::Tick);
    timer_->start();
}

TFrmEvents::~TFrmEvents() = default;

void TFrmEvents::Reset()
{
    TMessageWindow::Reset();
    Grid("Events")->setRowCount(1);
    rows_.clear();
    rebuild_ = true;
    if (isVisible())
        Redraw();
}

void TFrmEvents::showEvent(QShowEvent *event)
{
    TMessageWindow::showEvent(event);
    if (rebuild_ || drawn_ != watch_.Events().Next())
        Redraw();
}

void TFrmEvents::Tick()
{
    WriteFile();
    NotifyNew();
    if (isVisible() && (rebuild_ || drawn_ != watch_.Events().Next()))
        Redraw();
}

void TFrmEvents::Redraw()
{
    ++redraws_;
    const EventLog &log = watch_.Events();
    QTableWidget *grid = Grid("Events");
    // The grid grows by the new events and loses the rows of those the log no longer keeps,
    // however many: laying every row anew under a flood would cost a full grid a second.
    if (rebuild_) {
        Rebuild();
    } else {
        QScrollBar *bar = grid->verticalScrollBar();
        const bool atEnd = bar->value() == bar->maximum();
        grid->setUpdatesEnabled(false);
        AppendRows(drawn_);
        // Rows of events the log no longer keeps go from the top, in one step.
        int gone = 0;
        while (!rows_.empty() && rows_.front() < log.Oldest()) {
            rows_.pop_front();
            ++gone;
        }
        if (gone > 0)
            grid->model()->removeRows(1, gone);
        grid->setUpdatesEnabled(true);
        if (atEnd)
            grid->scrollToBottom();
    }
    drawn_ = log.Next();
    fit_.Apply(*grid);
    count_->setText(QString("%1 shown, %2 kept of %3 logged (the latest %4 are kept)")
                        .arg(rows_.size())
                        .arg(log.Events().size())
                        .arg(log.Next())
                        .arg(EventLog::kCapacity));
}

void TFrmEvents::Rebuild()
{
    rebuild_ = false;
    QTableWidget *grid = Grid("Events");
    grid->setUpdatesEnabled(false);
    grid->setRowCount(1);
    rows_.clear();
    AppendRows(0);
    grid->setUpdatesEnabled(true);
    grid->scrollToBottom();
}

void TFrmEvents::AppendRows(uint64_t from)
{
    const EventLog &log = watch_.Events();
    std::vector<const WatchEvent *> events;
    for (uint64_t s = std::max(from, log.Oldest()); s < log.Next(); ++s) {
        const WatchEvent &e = log.Events()[static_cast<std::size_t>(s - log.Oldest())];
        if (show_[static_cast<std::size_t>(e.kind)]->isChecked())
            events.push_back(&e);
    }
    // The rows are added in one step: each one added alone costs the headers a pass over every
    // row the grid already has.
    QTableWidget *grid = Grid("Events");
    int row = grid->rowCount();
    grid->setRowCount(row + static_cast<int>(events.size()));
    for (const WatchEvent *e : events) {
        grid->setItem(row, 0, Cell(GpsTimeText(e->time)));
        grid->setItem(row, 1, Cell(e->geo));
        grid->setItem(row, 2, new QTableWidgetItem(KindName(e->kind)));
        grid->setItem(row, 3, Cell(e->item));
        grid->setItem(row, 4, Cell(e->from));
        grid->setItem(row, 5, Cell(e->to));
        rows_.push_back(e->sequence);
        ++row;
    }
}

void TFrmEvents::WriteToFileToggled(bool on)
{
    if (!on) {
        file_.Close();
        fileStatus_->clear();
        return;
    }
    const std::string path = EventFilePath(messageLogPath_ ? messageLogPath_() : std::string());
    filePath_->setText(QString::fromStdString(path));
    std::string error;
    if (!file_.Open(path, error)) {
        const QSignalBlocker quiet(writeToFile_);
        writeToFile_->setChecked(false);
        fileStatus_->setText("Events not written: " + QString::fromStdString(error));
        return;
    }
    fileStatus_->setText("Writing the events to " + filePath_->text());
    WriteFile();
}

void TFrmEvents::WriteFile()
{
    std::string error;
    if (file_.WriteNew(watch_.Events(), error))
        return;
    const QSignalBlocker quiet(writeToFile_);
    writeToFile_->setChecked(false);
    fileStatus_->setText("Events no longer written: " + QString::fromStdString(error));
}

void TFrmEvents::NotifyNew()
{
    const EventLog &log = watch_.Events();
    std::vector<const WatchEvent *> due;
    for (uint64_t s = std::max(notified_, log.Oldest()); s < log.Next(); ++s) {
        const WatchEvent &e = log.Events()[static_cast<std::size_t>(s - log.Oldest())];
        if (notify_[static_cast<std::size_t>(e.kind)]->isChecked())
            due.push_back(&e);
    }
    notified_ = log.Next();
    notifier_->Notify(due);
}
