// Start-up configuration, the log window and the close command.
#include "mainfrm.h"

#include "config_warning.h"
#include "text/number_text.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextStream>
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

int32_t PositiveInterval(const std::string &text, const std::string &key)
{
    const int32_t ms = ScaledInteger(text, 1000, key);
    if (ms <= 0)
        throw ConfigError(key + " must be a number of seconds above zero");
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
    if (!ApplyConfiguration(true)) {
        TConfigWarning warning(this);
        warning.SetText(kLoadWarning);
        ui_.Exec(warning);
        serverAddress_ = "127.0.0.1";
        serverPort_ = 7777;
    }
}

void TMainFrm::ApplyConfigurationOrWarn(bool withGeoTable)
{
    if (!ApplyConfiguration(withGeoTable)) {
        TConfigWarning warning(this);
        warning.SetText(kLoadWarning);
        ui_.Exec(warning);
        serverAddress_ = "127.0.0.1";
        serverPort_ = 7777;
    }
}

bool TMainFrm::ApplyConfiguration(bool withGeoTable)
{
    try {
        serverAddress_ = QString::fromStdString(Config.ReadField("IPServer"));
        const auto port = ParseInt32(Config.ReadField("PortServer"));
        // A port the socket cannot use counts as a reading failure, not as some other port.
        if (!port || *port < 1 || *port > 65535)
            throw ConfigError("PortServer is not a valid port");
        serverPort_ = static_cast<quint16>(*port);
        SISChecker->setInterval(PositiveInterval(Config.ReadField("NoSISMargin"), "NoSISMargin"));
        DisconnChecker->setInterval(PositiveInterval(Config.ReadField("NoSISMargin"), "NoSISMargin"));
        BufferLength = ScaledInteger(Config.ReadField("BufLen"), 60, "BufLen");
        BufferPeriod = ScaledInteger(Config.ReadField("BufPer"), 60, "BufPer");
        OutputFileName = Config.ReadField("ESPDir");
        if (withGeoTable) {
            SisMonitoring = true;
            TbQUIL->setEnabled(true);
            tbQuilAction_->setVisible(true);
            sisStatusItem_->setEnabled(true);
        }
        PollMode_ = Config.ReadField("MessageRequestMethod") != "Subscribe";
        if (withGeoTable) {
            for (int row = 1; row <= GeoTable::kRows; ++row)
                geoTable_.SetRowFromStored(row, Config.ReadField("GEO" + std::to_string(row)));
            geoTable_.SetDefaultHeader();
        }
        return true;
    } catch (const std::exception &) {
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

void TMainFrm::LogWinChange()
{
    if (logLines_.size() != 100)
        return;
    // Two roll-overs within one second share a file name: append rather than lose the first.
    const QString name = DateTimeText(DecodeDateTime(clock_.Now()), "_", "_").replace(' ', '_') + ".txt";
    QFile file(QDir::currentPath() + QDir::separator() + name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        QTextStream out(&file);
        for (const QString &line : std::as_const(logLines_))
            out << line << '\n';
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
