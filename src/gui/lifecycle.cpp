// Start-up configuration, the log window and the close command.
#include "mainfrm.h"

#include "config_warning.h"
#include "log_window.h"
#include "server_link.h"
#include "text/number_text.h"
#include "ui_seam.h"

#include <QAction>
#include <QApplication>
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
        messageLog_.SetFileName(file.ReadField("ESPDir"));
        // Also after the settings are confirmed: a first start without a file reaches this
        // step only once the dialog has written one.
        SisMonitoring = true;
        TbQUIL->setEnabled(true);
        tbQuilAction_->setVisible(true);
        sisStatusItem_->setEnabled(true);
        link_->Protocol().SetPollMode(file.ReadField("MessageRequestMethod") != "Subscribe");
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

void TMainFrm::Log(const QString &line)
{
    logWindow_->Log(line);
}

void TMainFrm::LogTimeStamp()
{
    logWindow_->LogTimeStamp();
}

void TMainFrm::BtnCloseClick()
{
    DisconnChecker->stop();
    DisconnCheckerTimer();
    QApplication::quit();
}
