// The main window's side of the message log: the logging window that sets it up, and the
// record of every accepted message.
#include "mainfrm.h"

#include "logging_form.h"

#include <QMenuBar>

void TMainFrm::BuildLogging()
{
    FrmLogging = new TFrmLogging(messageLog_, [this] { return IsConnected(); }, ui_, clock_, this);
    // Logging has stopped, whichever half of its blink the lamp was in.
    connect(FrmLogging, &TFrmLogging::Stopped, this, [this] { HideLamp("DiskLogging"); });
    QAction *item = menuBar()->addAction("Logging", this, &TMainFrm::LoggingClick);
    item->setObjectName("Logging");
    // Logging stands before Help on the menu bar, whichever was built first.
    if (QAction *help = findChild<QAction *>("Help1")) {
        menuBar()->removeAction(item);
        menuBar()->insertAction(help, item);
    }
}

void TMainFrm::LoggingClick()
{
    FrmLogging->show();
    FrmLogging->raise();
    FrmLogging->activateWindow();
}

void TMainFrm::WriteLogRecord(int32_t prn, int32_t type, const std::string &text, double week, double seconds)
{
    ReportLogFailure(messageLog_.Write(prn, type, text, week, seconds));
}

void TMainFrm::ReportLogFailure(const std::optional<std::string> &failure)
{
    if (failure)
        Log(FrmLogging->StopAfterWriteFailure(QString::fromStdString(*failure)));
}
