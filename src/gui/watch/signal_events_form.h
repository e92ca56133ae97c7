#pragma once

#include "column_fit.h"
#include "message_window.h"
#include "watch/event_file.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

class EventNotifier;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTimer;
class SignalWatch;

// The "Signal Events" window: the watch's event log as a grid, filtered by kind, optionally
// written to a text file beside the message log, and notified on the desktop for the kinds the
// user ticks. Once a second the new events go to the file and the notifications; the grid is
// redrawn then only while the window is shown, with the new rows alone.
class TFrmEvents final : public TMessageWindow {
    Q_OBJECT
public:
    static constexpr int kTickMilliseconds = 1000;

    // `messageLogPath` names the message log the event file goes beside.
    TFrmEvents(SignalWatch &watch, std::function<std::string()> messageLogPath, QWidget *parent);
    ~TFrmEvents() override;

    // The decoded state went; the log stays and is shown again whole.
    void Reset() override;
    void Tick();
    int Redraws() const { return redraws_; }
    EventNotifier &Notifier() const { return *notifier_; }
    QCheckBox *ShowBox(EventKind kind) const { return show_[static_cast<std::size_t>(kind)]; }
    QCheckBox *NotifyBox(EventKind kind) const { return notify_[static_cast<std::size_t>(kind)]; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Redraw();
    void Rebuild();
    // The rows of the events from sequence `from` on that their kind's box shows.
    void AppendRows(uint64_t from);
    void WriteToFileToggled(bool on);
    void WriteFile();
    void NotifyNew();

    SignalWatch &watch_;
    std::function<std::string()> messageLogPath_;
    QTimer *timer_;
    EventNotifier *notifier_;
    std::array<QCheckBox *, kEventKinds> show_{}, notify_{};
    QCheckBox *writeToFile_;
    QLineEdit *filePath_;
    QLabel *fileStatus_, *count_;
    EventFile file_;
    ColumnFit fit_;
    std::deque<uint64_t> rows_; // the sequence of the event on each row below the headings
    uint64_t drawn_ = 0;        // the next sequence to draw
    uint64_t notified_ = 0;     // the next sequence to notify
    bool rebuild_ = true;
    int redraws_ = 0;
};
