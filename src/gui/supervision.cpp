// Supervision timers: reconnection, stalled feed, close-time declaration, lamps, monitor tick.
#include "mainfrm.h"

#include "message_captions.h"
#include "message_line.h"
#include "server_link.h"
#include "sis_mode_form.h"
#include "time/clock.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

void TMainFrm::TimerReconTimer()
{
    const int attempt = link_->ReconnectionAttempt();
    if (attempt == 0)
        return;
    if (attempt % 6 == 0) {
        Log("More than 5 consecutive reconnections.");
        Log("Info N/A mode is active");
        LogTimeStamp();
        FrmSISMode->SetMode("InfoNA", true, 1);
    }
    link_->Reopen(serverAddress_, serverPort_);
}

void TMainFrm::AutoRecClick()
{
    if (!AutoRec->isChecked())
        link_->CancelReconnection();
}

void TMainFrm::SISCheckerTimer()
{
    // The caption is compared, so a feed that repeats the same time of week counts as stalled.
    const std::string timeCaption = captions_->TimeText().toStdString();
    const bool stalled = timeCaption == LastCheckedGpsTime;
    LastCheckedGpsTime = timeCaption;
    msgStalled_ = stalled;
    UpdateMsgColours();
    if (sisMonitor_->NoDataCheck(stalled)) {
        Log("Base Station / No SIS failure detected...");
        LogTimeStamp();
    }
}

void TMainFrm::DisconnCheckerTimer()
{
    DisconnChecker->stop();
    if (InfoNaDeclared)
        return;
    FrmSISMode->SetMode("InfoNA", true, 1);
    InfoNaDeclared = true;
}

void TMainFrm::TimerQITimer()
{
    if (messageLog_.Active())
        lamps_.Toggle("DiskLogging");
}

void TMainFrm::Timer1secTimer()
{
    sisMonitor_->Evaluate();
}

void TMainFrm::TimerRxTimer()
{
    link_->ReceiveLampOff();
}

void TMainFrm::UpdateMsgColours()
{
    // Re-applying a style sheet re-polishes the widget: skip it while nothing changes.
    if (msgRejected_ == shownRejected_ && msgStalled_ == shownStalled_)
        return;
    shownRejected_ = msgRejected_;
    shownStalled_ = msgStalled_;
    // Yellow for a refused message and red text for a stalled feed; otherwise the palette's field
    // colours (white and black by default), and black text on the yellow.
    Msg->setStyleSheet(QString("background:%1;color:%2")
                           .arg(msgRejected_ ? "yellow" : "palette(base)",
                                msgStalled_ ? "red" : msgRejected_ ? "black" : "palette(text)"));
}
