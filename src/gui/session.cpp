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
#include <QStringDecoder>
#include <QTimer>


namespace {

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
        protocol_.OnUserConnect();
        return;
    }
    Apply(protocol_.OnUserStop()); // a subscription closes at once; its disconnection is handled before this returns
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
    // While a batch of lines waits for its turn the socket is left unread: once its bounded
    // buffer is full, TCP holds the server back instead of the received text growing here.
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

// Moves what the socket holds into the framing; false when no line is waiting after it. The
// socket announces only text that is new to it, so what it already holds is taken here
// whenever the lines run out. Once the connection is gone and all it held is taken, the
// received text ends.
bool TMainFrm::TakeReceivedText()
{
    const QByteArray received = C->ReadAll();
    if (!received.isEmpty())
        PendingText.Append(std::string_view(received.constData(), static_cast<std::size_t>(received.size())));
    else if (!C->IsConnected())
        PendingText.EndOfText();
    return PendingText.HasLine();
}

// The complete lines received so far, one after the other, in batches: after a batch the
// event loop runs before the next one, so input and painting keep their turn in a flood.
void TMainFrm::HandleWaitingLines()
{
    QElapsedTimer batch;
    batch.start();
    for (int handled = 0;; ++handled) {
        if (!PendingText.HasLine() && !TakeReceivedText())
            return; // everything received is handled
        if (handled == kLinesPerBatch || batch.elapsed() >= kBatchMilliseconds) {
            QueueMoreLines();
            return;
        }
        HideLamp("Send");
        HideLamp("AckWait");
        ShowLamp("AckRx");
        const ExtractedLine next = PendingText.Next();
        if (next.dropped != DroppedText::None) {
            Log(DroppedTextReport(next.dropped));
            Apply(protocol_.OnDroppedLine());
            continue;
        }
        // An empty line ends the handling of what was read with it: the lines after it wait for
        // the next read, which the text the socket already holds stands for.
        if (next.line.empty() && C->BytesAvailable() == 0)
            return;
        if (next.line.empty())
            continue;
        // A failed line was reported; the lines after it go on in this batch: a turn of the
        // event loop for each failed line would make a flood of them crawl.
        if (HandleLine(next.line))
            TimerRx->start();
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
        handled = false;
    }
    Apply(protocol_.OnLine(kind, line, handled));
    return handled;
}

// Carries out what the session asks for after an event, in the order the session needs it.
void TMainFrm::Apply(const SessionStep &step)
{
    for (const std::string &line : step.log)
        Log(QString::fromStdString(line));
    for (const std::string &text : step.writes)
        Send(text);
    if (step.poll == SessionStep::Poll::Start)
        TimerMSG->start();
    else if (step.poll == SessionStep::Poll::Stop)
        TimerMSG->stop();
    if (step.requestPhaseDone && SisMonitoring)
        sisMonitor_->Evaluate();
    if (step.close) {
        C->Close();
        PendingText.Clear(); // the user's stop: what was received after the line that ended it is not handled
    }
    if (step.stopCompleted) {
        for (const char *lamp : {"Send", "AckWait", "AckRx", "Error"})
            HideLamp(lamp);
        BtnClose->setEnabled(true);
        Connect->setEnabled(true);
    }
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
    ShowLamp("Send");
    Apply(protocol_.OnPollTick());
    ShowLamp("AckWait");
}

// The end of a connection that is not followed by a reconnection.
void TMainFrm::ShowDisconnected(const QString &logLine)
{
    Connect->setText("Connect");
    Connect->setEnabled(true);
    SetSessionControls(true);
    Log(logLine);
    LogTimeStamp();
}

void TMainFrm::CDisconnect()
{
    SISChecker->stop();
    QueueMoreLines(); // what the socket still holds, then the end of the received text
    if (!protocol_.OnDisconnected(ReconnectionAllowed()).reconnect) {
        ShowDisconnected("Disconnected from VELMAR... Bye!");
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

bool TMainFrm::ReconnectionAllowed() const
{
    return AutoRec->isChecked() && !TimerRecon->isActive();
}

void TMainFrm::CError(QAbstractSocket::SocketError)
{
    SISChecker->stop();
    if (!protocol_.OnDisconnected(ReconnectionAllowed()).reconnect) {
        ShowDisconnected("Connection lost (now disconnected from VELMAR)");
        return;
    }
    Log("Connection lost / Communications error...");
    LogTimeStamp();
    if (C->IsConnected())
        C->Close(); // its disconnection schedules the reconnection
    else
        CDisconnect();
}
