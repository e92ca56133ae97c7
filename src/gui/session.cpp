// The DU2RO session: connect and stop, the socket events and the request phase.
#include "mainfrm.h"

#include "data_server_socket.h"
#include "link/reply_line.h"
#include "server_link.h"
#include "sis_mode_form.h"
#include "text_frm.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTimer>

namespace {

constexpr double kStaleAfter = 1.0 / 288; // 5 minutes, in days

} // namespace

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
    if (link_->ReconnectionDue())
        return;
    SISModeState &state = sisMonitor_->State;
    const std::string port = std::to_string(serverPort_);
    if (link_->State() == LinkState::Idle) {
        const bool stale = state.LastServerAddress != serverAddress_.toStdString() || state.LastServerPort != port ||
                           clock_.Now() >= state.OutageStart + kStaleAfter;
        if (stale)
            ResetDecodedState();
        link_->Open(serverAddress_, serverPort_);
        ShowGeoOfPort();
        state.OutageStart = 0;
        state.Receiving = true;
        return;
    }
    link_->Stop(); // a subscription closes at once; its disconnection is handled before this returns
    state.Receiving = false;
    state.OutageStart = clock_.Now();
    state.LastServerAddress = serverAddress_.toStdString();
    state.LastServerPort = port;
    FrmSISMode->ClearTypeTimes();
}

void TMainFrm::ShowGeoOfPort()
{
    const GeoRow *geo = geoTable_.RowOfPort(serverPort_);
    GEO_PRN->setText(geo ? QString::fromStdString(geo->prn) : "0");
    GEO_Name->setText(geo ? QString::fromStdString(geo->name) : "NA");
    SBAS_System->setText(geo ? QString::fromStdString(geo->system) : "NA");
}

void TMainFrm::CConnect()
{
    link_->Connected();
    DisconnChecker->stop();
    InfoNaDeclared = false;
    if (FirstConnection) {
        FrmSISMode->SetMode("InfoNA", true, 0);
        FirstConnection = false;
    }
    Log("Connected to TAV Velmar Data Server");
    LogTimeStamp();
    Log("Processing authorisation...");
    Log(" ");
    link_->Send("AUTH," + UserName + "," + Password + "\r\n");
}

void TMainFrm::CRead()
{
    if (!link_->LinesQueued())
        HandleWaitingLines();
}

// The lines received so far, in the batches the link hands out.
void TMainFrm::HandleWaitingLines()
{
    std::string line;
    link_->BeginBatch();
    messageLog_.Hold(); // the batch's records go to the file together, with one write
    while (link_->NextLine(line)) {
        const ReplyKind kind = Classify(line);
        link_->Answered(kind, line, HandleLine(kind, line));
    }
    ReportLogFailure(messageLog_.Release());
}

// Reacts to one reply line; false when its handling failed and was reported.
bool TMainFrm::HandleLine(ReplyKind kind, const std::string &line)
{
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
        case ReplyKind::RequestedMessage:
            HandleMsgLine(RequestedToMessage(line));
            break;
        case ReplyKind::Error:
        case ReplyKind::End:
        case ReplyKind::Other:
            break;
        }
    } catch (const std::exception &e) {
        // The line's handling ends here; the report must not stop the socket handling.
        ui_.ErrorReport(this, QString::fromLocal8Bit(e.what()));
        return false;
    }
    return true;
}

void TMainFrm::HandleAuthReply()
{
    Log("USER IS AUTHORISED. WELCOME TO THE Velmar Data Server");
    const CivilTime t = DecodeDateTime(clock_.Now());
    Log(QString::asprintf("%02d:%02d:%02d. %02d/%02d/%04d", t.hour, t.minute, t.second, t.day, t.month, t.year));
    Log("");
    if (!stallCheckOff_)
        SISChecker->start();
}

// Text that is valid UTF-8 is shown as such; anything else is taken for a single-byte code
// page and shown as Latin-1, so that no character is lost to a replacement mark.
void TMainFrm::HandleTxtReply(const std::string &line)
{
    const QByteArray text = QByteArray::fromStdString(SplitTextLine(line));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString shown = utf8.decode(text);
    if (utf8.hasError())
        shown = QString::fromLatin1(text);
    EnsureTextFrm().AddLine(shown);
}

void TMainFrm::TimerMSGTimer()
{
    link_->PollTick();
}

void TMainFrm::ShowLinkState(LinkState now, LinkState before)
{
    const LinkControls controls = ControlsOf(now);
    Connect->setText(controls.caption);
    Connect->setEnabled(controls.connectEnabled);
    // Cancelling a pending reconnection frees the Connect button alone: Close, Options, Settings
    // and Authorisation stay disabled until a later connection ends. Intended.
    if (before != LinkState::WaitingToReconnect || now != LinkState::Idle)
        SetSessionControls(controls.sessionControlsEnabled);
}

void TMainFrm::CDisconnect()
{
    SISChecker->stop();
    if (!link_->Disconnected(AutoRec->isChecked())) {
        Log("Disconnected from VELMAR... Bye!");
        LogTimeStamp();
        return;
    }
    Log("Disconnected from TAV VELMAR Data Server");
    LogTimeStamp();
    Log("Reconnecting in 1 minute...");
    LogTimeStamp();
    link_->ScheduleReconnection();
}

void TMainFrm::CError(QAbstractSocket::SocketError)
{
    SISChecker->stop();
    if (!link_->Ended(AutoRec->isChecked())) {
        Log("Connection lost (now disconnected from VELMAR)");
        LogTimeStamp();
        return;
    }
    Log("Connection lost / Communications error...");
    LogTimeStamp();
    if (link_->IsConnected())
        link_->Socket().Close(); // its disconnection schedules the reconnection
    else
        CDisconnect();
}
