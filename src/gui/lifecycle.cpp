// Start-up configuration, the log window and the close command.
#include "mainfrm.h"

#include "config/settings.h"
#include "config_warning.h"
#include "files/regular_file.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const char kLoadWarning[] =
    "An error was found when trying to load the configuration from disk. The default settings will be used.";

QString DateTimeText(const CivilTime &t, const char *dateSep = "/", const char *timeSep = ":")
{
    return QString::asprintf("%02d%s%02d%s%04d", t.day, dateSep, t.month, dateSep, t.year) + " " +
           QString::asprintf("%02d%s%02d%s%02d", t.hour, timeSep, t.minute, timeSep, t.second);
}

} // namespace

void TMainFrm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TMainFrm::FormShow()
{
    ApplyConfigurationOrWarn(true);
}

void TMainFrm::ApplyConfigurationOrWarn(bool withGeoTable)
{
    if (!ApplyConfiguration(withGeoTable)) {
        TConfigWarning warning(this);
        warning.SetText(kLoadWarning);
        ui_.Exec(warning); // the fall-back values are already in place
    }
}

bool TMainFrm::ApplyConfiguration(bool withGeoTable)
{
    const AppliedSettings read = AppliedSettings::Read(Config, withGeoTable);
    if (read.serverAddress)
        serverAddress_ = QString::fromStdString(*read.serverAddress);
    if (read.serverPort)
        serverPort_ = *read.serverPort;
    if (read.stallCheckMs) {
        // A margin of 0 switches the no-data check off; a timer of 0 ms would fire without pause.
        const bool checkOff = *read.stallCheckMs == 0;
        if (checkOff && !stallCheckOff_)
            Log(QString(SettingName(SettingKey::NoSISMargin)) + " is 0: the no-data check is switched off.");
        stallCheckOff_ = checkOff;
        if (checkOff)
            SISChecker->stop();
        else
            SISChecker->setInterval(*read.stallCheckMs);
    }
    // Set though the timer is never started (the close command runs its handler): on purpose.
    if (read.disconnCheckMs)
        DisconnChecker->setInterval(*read.disconnCheckMs);
    if (read.bufferLength)
        BufferLength = *read.bufferLength;
    if (read.bufferPeriod)
        BufferPeriod = *read.bufferPeriod;
    if (read.outputFileName)
        OutputFileName = *read.outputFileName;
    if (read.monitoring) {
        // Also after the settings are confirmed: a first start without a file reaches this
        // step only once the dialog has written one.
        SisMonitoring = true;
        TbQUIL->setEnabled(true);
        tbQuilAction_->setVisible(true);
        sisStatusItem_->setEnabled(true);
    }
    if (read.pollMode)
        protocol_.SetPollMode(*read.pollMode);
    read.UpdateGeoTable(geoTable_);
    return !read.Warn();
}

QString TMainFrm::NowText() const
{
    return DateTimeText(DecodeDateTime(clock_.Now()));
}

void TMainFrm::Log(const QString &line)
{
    LogWin->appendPlainText(line);
    logLines_ << line;
    LogWinChange();
}

void TMainFrm::LogTimeStamp()
{
    Log("---- " + NowText() + "---- ");
    Log(" ");
}

// The full window is written to a file named for the time, at most one file a minute: a
// flood of log lines cannot fill the disk. The lines of further roll-overs within that minute
// are left out and counted in the first line of the next file.
void TMainFrm::LogWinChange()
{
    if (logLines_.size() != 100)
        return;
    constexpr double kMinute = 1.0 / 1440;
    const double now = clock_.Now();
    if (lastRollOverFile_ >= 0 && now < lastRollOverFile_ + kMinute && now >= lastRollOverFile_) {
        rollOverLinesNotWritten_ += static_cast<int>(logLines_.size());
    } else {
        // An existing file of the name is overwritten; one that is not a regular file (a FIFO
        // would block the window) is left alone and the lines go unsaved.
        const QString name = DateTimeText(DecodeDateTime(now), "_", "_").replace(' ', '_') + ".txt";
        QString text;
        if (rollOverLinesNotWritten_ > 0)
            text += QString::number(rollOverLinesNotWritten_) +
                    " log lines before these were not written (at most one roll-over file a minute)\n";
        for (const QString &line : std::as_const(logLines_))
            text += line + '\n';
        std::string error;
        WriteRegularFile((QDir::currentPath() + QDir::separator() + name).toStdString(), text.toUtf8().toStdString(),
                         error);
        lastRollOverFile_ = now;
        rollOverLinesNotWritten_ = 0;
    }
    logLines_.clear();
    LogWin->clear();
}

void TMainFrm::BtnCloseClick()
{
    DisconnChecker->stop();
    DisconnCheckerTimer();
    QApplication::quit();
}
