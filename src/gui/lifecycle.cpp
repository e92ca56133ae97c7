// Start-up configuration, the log window and the close command.
#include "mainfrm.h"

#include "config/settings.h"
#include "config_warning.h"
#include "log_window.h"
#include "server_link.h"
#include "ui_seam.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const char kLoadWarning[] =
    "An error was found when trying to load the configuration from disk. The default settings will be used.";

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
        messageLog_.SetFileName(*read.outputFileName);
    if (read.monitoring) {
        // Also after the settings are confirmed: a first start without a file reaches this
        // step only once the dialog has written one.
        SisMonitoring = true;
        TbQUIL->setEnabled(true);
        tbQuilAction_->setVisible(true);
        sisStatusItem_->setEnabled(true);
    }
    if (read.pollMode)
        link_->Protocol().SetPollMode(*read.pollMode);
    read.UpdateGeoTable(geoTable_);
    return !read.Warn();
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
