// Start-up configuration, the log window and the close command.
#include "mainfrm.h"

#include "config_warning.h"
#include "files/regular_file.h"
#include "text/number_text.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <limits>

namespace {

const char kLoadWarning[] =
    "An error was found when trying to load the configuration from disk. The default settings will be used.";

// A whole number read from the configuration, times a unit, within the range of a timer interval.
int32_t ScaledInteger(const std::string &text, int32_t unit, const std::string &key)
{
    const auto value = ParseInt32(text);
    if (!value)
        throw ConfigError("'" + text + "' is not a valid integer value for " + key);
    const int64_t scaled = int64_t{*value} * unit;
    if (scaled > std::numeric_limits<int32_t>::max() || scaled < std::numeric_limits<int32_t>::min())
        throw ConfigError(key + " is out of range");
    return static_cast<int32_t>(scaled);
}

// Seconds as milliseconds; 0 is allowed (it switches the check off), below 0 is not.
int32_t Interval(const std::string &text, const std::string &key)
{
    const int32_t ms = ScaledInteger(text, 1000, key);
    if (ms < 0)
        throw ConfigError(key + " must not be a negative number of seconds");
    return ms;
}

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
    bool complete = true;
    try {
        // One reading of the file for the whole sequence; a file that cannot be read (missing,
        // not a regular file, too large) fails at the first key, as a missing key would.
        const TConfigReading file = Config.Read();
        serverAddress_ = QString::fromStdString(file.ReadField("IPServer"));
        const std::string portText = file.ReadField("PortServer");
        const auto port = ParseInt32(portText);
        if (!port)
            throw ConfigError("'" + portText + "' is not a valid integer value for PortServer");
        // A port the socket cannot use must not become some other port, nor cost the other keys.
        const bool usable = *port >= 1 && *port <= 65535;
        serverPort_ = usable ? static_cast<quint16>(*port) : 7777;
        complete = usable;
        const int32_t margin = Interval(file.ReadField("NoSISMargin"), "NoSISMargin");
        DisconnChecker->setInterval(Interval(file.ReadField("NoSISMargin"), "NoSISMargin"));
        // A margin of 0 switches the no-data check off; a timer of 0 ms would fire without pause.
        const bool checkOff = margin == 0;
        if (checkOff && !stallCheckOff_)
            Log("NoSISMargin is 0: the no-data check is switched off.");
        stallCheckOff_ = checkOff;
        if (checkOff)
            SISChecker->stop();
        else
            SISChecker->setInterval(margin);
        BufferLength = ScaledInteger(file.ReadField("BufLen"), 60, "BufLen");
        BufferPeriod = ScaledInteger(file.ReadField("BufPer"), 60, "BufPer");
        OutputFileName = file.ReadField("ESPDir");
        // Also after the settings are confirmed: a first start without a file reaches this
        // step only once the dialog has written one.
        SisMonitoring = true;
        TbQUIL->setEnabled(true);
        tbQuilAction_->setVisible(true);
        sisStatusItem_->setEnabled(true);
        protocol_.SetPollMode(file.ReadField("MessageRequestMethod") != "Subscribe");
        if (withGeoTable) {
            for (int row = 1; row <= GeoTable::kRows; ++row)
                geoTable_.SetRowFromStored(row, file.ReadField("GEO" + std::to_string(row)));
            geoTable_.SetDefaultHeader();
        }
        return complete;
    } catch (const std::exception &) {
        serverAddress_ = "127.0.0.1";
        serverPort_ = 7777;
        return false;
    }
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
