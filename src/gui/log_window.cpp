#include "log_window.h"

#include "files/regular_file.h"
#include "time/clock.h"

#include <QDir>
#include <QPlainTextEdit>

namespace {

QString DateTimeText(const CivilTime &t, const char *dateSep = "/", const char *timeSep = ":")
{
    return QString::asprintf("%02d%s%02d%s%04d", t.day, dateSep, t.month, dateSep, t.year) + " " +
           QString::asprintf("%02d%s%02d%s%02d", t.hour, timeSep, t.minute, timeSep, t.second);
}

} // namespace

void LogWindow::Log(const QString &line)
{
    view_.appendPlainText(line);
    lines_ << line;
    LogWinChange();
}

void LogWindow::LogTimeStamp()
{
    Log("---- " + DateTimeText(DecodeDateTime(clock_.Now())) + "---- ");
    Log(" ");
}

// The full window is written to a file named for the time, at most one file a minute: a
// flood of log lines cannot fill the disk. The lines of further roll-overs within that minute
// are left out and counted in the first line of the next file.
void LogWindow::LogWinChange()
{
    if (lines_.size() != kLines)
        return;
    constexpr double kMinute = 1.0 / 1440;
    const double now = clock_.Now();
    if (lastRollOverFile_ >= 0 && now < lastRollOverFile_ + kMinute && now >= lastRollOverFile_) {
        rollOverLinesNotWritten_ += static_cast<int>(lines_.size());
    } else {
        // An existing file of the name is overwritten; one that is not a regular file (a FIFO
        // would block the window) is left alone and the lines go unsaved.
        const QString name = DateTimeText(DecodeDateTime(now), "_", "_").replace(' ', '_') + ".txt";
        QString text;
        if (rollOverLinesNotWritten_ > 0)
            text += QString::number(rollOverLinesNotWritten_) +
                    " log lines before these were not written (at most one roll-over file a minute)\n";
        for (const QString &line : std::as_const(lines_))
            text += line + '\n';
        std::string error;
        WriteRegularFile((QDir::currentPath() + QDir::separator() + name).toStdString(), text.toUtf8().toStdString(),
                         error);
        lastRollOverFile_ = now;
        rollOverLinesNotWritten_ = 0;
    }
    lines_.clear();
    view_.clear();
}
