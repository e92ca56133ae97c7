// The DU2RO session: connect and stop, the socket events and the request phase.
#include "mainfrm.h"

#include "data_server_socket.h"
#include "link/reply_line.h"
#include "sis_mode_form.h"
#include "text_frm.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>


namespace {

// The latest message of each handled type, asked for in five writes.
const char *const kRequestList[] = {
    "GETMSG,0,1\r\nGETMSG,1,1\r\nGETMSG,2,1\r\nGETMSG,3,1\r\n",
    "GETMSG,4,1\r\nGETMSG,5,1\r\nGETMSG,6,1\r\nGETMSG,7,1\r\n",
    "GETMSG,9,1\r\nGETMSG,10,1\r\nGETMSG,12,1\r\nGETMSG,17,1\r\n",
    "GETMSG,18,1\r\nGETMSG,24,1\r\nGETMSG,25,1\r\nGETMSG,26,1\r\n",
    "GETMSG,27,1\r\nGETMSG,63,1\r\n",
};

constexpr double kStaleAfter = 1.0 / 288; // 5 minutes, in days

} // namespace

void TMainFrm::Send(const std::string &text)
{
    C->Write(QByteArray::fromStdString(text));
}

void TMainFrm::SetSessionControls(bool idle)
{
    BtnClose->setEnabled(idle);
    optionsMenu_->setEnabled(idle);
    authorisationButton_->setEnabled(idle);
}

void TMainFrm::ConnectClick()
{
    if (UserName.empty())
        AuthorisationData1Click();
    if (UserName.empty()) {
        Log("Authorisation data not introduced. Connection aborted.");
        Log("");
        return;
    }
    if (TimerRecon->isActive())
        return;
    SISModeState &state = sisMonitor_->State;
    const std::string port = std::to_string(serverPort_);
    if (Connect->text() == "Connect") {
        Connect->setText("Disconnect");
        SetSessionControls(false);
        const bool stale = state.LastServerAddress != serverAddress_.toStdString() || state.LastServerPort != port ||
                           clock_.Now() >= state.OutageStart + kStaleAfter;
        if (stale)
            ResetDecodedState();
        C->Open(serverAddress_, serverPort_);
        ShowGeoOfPort();
        state.OutageStart = 0;
        state.Receiving = true;
        StopPending = false;
        return;
    }
    StopPending = true;
    if (!PollMode_)
        C->Close(); // the disconnection is handled before this returns
    state.Receiving = false;
    state.OutageStart = clock_.Now();
    state.LastServerAddress = serverAddress_.toStdString();
    state.LastServerPort = port;
    FrmSISMode->ClearTypeTimes();
}

void TMainFrm::ShowGeoOfPort()
{
    const int row = geoTable_.FindPort(std::to_string(serverPort_));
    if (row == 0) {
        GEO_PRN->setText("0");
        GEO_Name->setText("NA");
        SBAS_System->setText("NA");
        return;
    }
    const GeoRow &geo = geoTable_.Row(row);
    GEO_PRN->setText(QString::fromStdString(geo.prn));
    GEO_Name->setText(QString::fromStdString(geo.name));
    SBAS_System->setText(QString::fromStdString(geo.system));
}

void TMainFrm::CConnect()
{
    PendingText.Clear();
    DisconnChecker->stop();
    InfoNaDeclared = false;
    if (FirstConnection) {
        FrmSISMode->SetMode("InfoNA", true, 0);
        FirstConnection = false;
    }
    ReconnectCount = 0;
    Log("Connected to TAV Velmar Data Server");
    LogTimeStamp();
    Log("Processing authorisation...");
    Log(" ");
    Send("AUTH," + UserName + "," + Password + "\r\n");
}

void TMainFrm::CRead()
{
    PendingText.Append(C->ReadAll().toStdString());
    if (!moreLinesQueued_)
        HandleWaitingLines();
}

void TMainFrm::QueueMoreLines()
{
    if (moreLinesQueued_)
        return;
    moreLinesQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        moreLinesQueued_ = false;
        HandleWaitingLines();
    });
}

// The complete lines received so far, one after the other, in batches: after a batch the
// event loop runs before the next one, so input and painting keep their turn in a flood.
void TMainFrm::HandleWaitingLines()
{
    QElapsedTimer batch;
    batch.start();
    for (int handled = 0;; ++handled) {
        if (handled == kLinesPerBatch || batch.elapsed() >= kBatchMilliseconds) {
            QueueMoreLines();
            return;
        }
        HideLamp("Send");
        HideLamp("AckWait");
        ShowLamp("AckRx");
        const ExtractedLine next = PendingText.Next();
        if (next.dropped) {
            Log("Received text without a line end exceeded 64 KiB and was dropped.");
            // A dropped line was an answer all the same: polling must go on.
            if (PollMode_ && RequestCount >= kRequestCount)
                TimerMSG->start();
            if (next.more)
                continue;
        }
        if (next.line.empty())
            return; // no complete line, or an empty one: the rest waits for the next read event
        if (!HandleLine(next.line)) {
            // The failed line was reported; the lines already received go on in this batch:
            // a turn of the event loop for each failed line would make a flood of them crawl.
            if (!next.more)
                return;
            continue;
        }
        if (StopPending)
            CompleteStop();
        TimerRx->start();
        if (!next.more)
            return;
    }
}

// Reacts to one reply line; false when its handling failed and was reported.
bool TMainFrm::HandleLine(const std::string &line)
{
    const ReplyKind kind = Classify(line);
    bool handled = true;
    try {
        switch (kind) {
        case ReplyKind::Message:
            HandleMsgLine(line);
            break;
        case ReplyKind::Authorised:
            HandleAuthReply();
            break;
        case ReplyKind::Text:
            HandleTxtReply(line);
            break;
        case ReplyKind::Error:
            HandleErrReply(line);
            break;
        case ReplyKind::RequestedMessage:
            HandleMsgLine(RequestedToMessage(line));
            // The 18th answer starts the stream, whether it is a message or an error 7.
            if (RequestCount < kRequestCount)
                ++RequestCount;
            if (RequestCount >= kRequestCount) {
                StartStreaming();
                if (SisMonitoring)
                    sisMonitor_->Evaluate();
            }
            break;
        case ReplyKind::End:
        case ReplyKind::Other:
            break;
        }
    } catch (const std::exception &e) {
        // The line's handling ends here; the report must not stop the socket handling.
        ui_.ErrorReport(this, QString::fromLocal8Bit(e.what()));
        handled = false;
    }
    // Every message answering a poll asks for the next one, whatever became of it (shown,
    // duplicate, over-long, unreadable): otherwise one odd answer would end polling for good.
    if (kind == ReplyKind::Message && PollMode_ && RequestCount >= kRequestCount)
        TimerMSG->start();
    return handled;
}

void TMainFrm::HandleAuthReply()
{
    Log("USER IS AUTHORISED. WELCOME TO THE Velmar Data Server");
    const CivilTime t = DecodeDateTime(clock_.Now());
    Log(QString::asprintf("%02d:%02d:%02d. %02d/%02d/%04d", t.hour, t.minute, t.second, t.day, t.month, t.year));
    Log("");
    if (!stallCheckOff_)
        SISChecker->start();
    for (const char *write : kRequestList)
        Send(write);
    RequestCount = 0;
}

void TMainFrm::HandleErrReply(const std::string &line)
{
    const ErrorFields error = SplitErrorLine(line);
    if (error.code != "7") {
        Log("ERROR FOUND");
        Log("CODE:  " + QString::fromStdString(error.code));
        Log("MESSAGE:  " + QString::fromStdString(error.message));
        Log("");
        return;
    }
    // No message of a requested type, or none yet for a poll.
    ++RequestCount;
    if (RequestCount == kRequestCount) {
        StartStreaming();
        if (SisMonitoring)
            sisMonitor_->Evaluate();
    } else if (RequestCount > kRequestCount && PollMode_) {
        TimerMSG->start(); // "no message yet" answers a poll too: ask again
    }
}

void TMainFrm::HandleTxtReply(const std::string &line)
{
    EnsureTextFrm().AddLine(QString::fromStdString(SplitTextLine(line)));
}

void TMainFrm::StartStreaming()
{
    if (PollMode_)
        TimerMSG->start();
    else
        Send("START\r\n");
}

void TMainFrm::CompleteStop()
{
    if (PollMode_)
        TimerMSG->stop();
    else
        Send("STOP\r\n");
    C->Close();
    for (const char *lamp : {"Send", "AckWait", "AckRx", "Error"})
        HideLamp(lamp);
    StopPending = false;
    BtnClose->setEnabled(true);
    Connect->setEnabled(true);
}

void TMainFrm::TimerMSGTimer()
{
    TimerMSG->stop();
    ShowLamp("Send");
    Send("MSG\n");
    ShowLamp("AckWait");
}

void TMainFrm::CDisconnect()
{
    SISChecker->stop();
    StopPending = false; // a stop is complete once the connection is gone
    if (!AutoRec->isChecked() || TimerRecon->isActive()) {
        Connect->setText("Connect");
        Connect->setEnabled(true);
        SetSessionControls(true);
        Log("Disconnected from VELMAR... Bye!");
        LogTimeStamp();
        return;
    }
    Log("Disconnected from TAV VELMAR Data Server");
    LogTimeStamp();
    Log("Reconnecting in 1 minute...");
    LogTimeStamp();
    Connect->setText("Auto");
    Connect->setEnabled(false);
    TimerRecon->start();
}

void TMainFrm::CError(QAbstractSocket::SocketError)
{
    SISChecker->stop();
    if (!AutoRec->isChecked() || TimerRecon->isActive()) {
        Connect->setText("Connect");
        Connect->setEnabled(true);
        SetSessionControls(true);
        Log("Connection lost (now disconnected from VELMAR)");
        LogTimeStamp();
        return;
    }
    Log("Connection lost / Communications error...");
    LogTimeStamp();
    if (C->IsConnected())
        C->Close(); // its disconnection schedules the reconnection
    else
        CDisconnect();
}
