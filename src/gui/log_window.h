#pragma once

#include <QStringList>

class Clock;
class QPlainTextEdit;

// The main window's log of connection events and errors: whole lines, the time-stamp block, and
// the roll-over of a full log into a file named for the time.
class LogWindow final {
public:
    static constexpr int kLines = 100; // the log holds this many lines before it rolls over

    LogWindow(QPlainTextEdit &view, const Clock &clock) : view_(view), clock_(clock) {}

    void Log(const QString &line);
    // "---- " and the local date and time, "---- " again, then a line holding one space.
    void LogTimeStamp();

private:
    void LogWinChange();

    QPlainTextEdit &view_;
    const Clock &clock_;
    QStringList lines_;              // what the view holds, for the roll-over file
    double lastRollOverFile_ = -1;   // clock time of the last roll-over file written, -1 for none
    int rollOverLinesNotWritten_ = 0; // lines of roll-overs since then that were not written
};
