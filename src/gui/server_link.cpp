#include "server_link.h"

#include "data_server_socket.h"
#include "lamps.h"
#include "log_window.h"

#include <QTimer>

LinkControls ControlsOf(LinkState state)
{
    switch (state) {
    case LinkState::Idle:
        return {"Connect", true, true};
    case LinkState::WaitingToReconnect:
        return {"Auto", false, false};
    case LinkState::Connecting:
    case LinkState::Authorising:
    case LinkState::Requesting:
    case LinkState::Streaming:
    case LinkState::Stopping:
        break;
    }
    return {"Disconnect", true, false};
}

ServerLink::ServerLink(Lamps &lamps, LogWindow &log, QObject *parent)
    : QObject(parent), lamps_(lamps), log_(log), socket_(new DataServerSocket(this))
{
    setObjectName("Link");
    auto timer = [this](const char *name, int interval) {
        auto *t = new QTimer(this);
        t->setObjectName(name);
        t->setInterval(interval);
        return t;
    };
    pollTimer_ = timer("TimerMSG", 200);
    pollTimer_->setTimerType(Qt::PreciseTimer); // polls must never come closer than 200 ms
    receiveTimer_ = timer("TimerRx", 10);
    reconnectTimer_ = timer("TimerRecon", 60000);
}

bool ServerLink::IsConnected() const
{
    return socket_->IsConnected();
}

void ServerLink::Send(const std::string &text)
{
    socket_->Write(QByteArray::fromStdString(text));
}

// A stop the user asked for in poll mode waits for the next answer: until then the connection
// is stopping, whatever it was doing.
void ServerLink::Enter(LinkState next)
{
    if (protocol_.StopPending() && next != LinkState::Idle && next != LinkState::WaitingToReconnect)
        next = LinkState::Stopping;
    const LinkState before = state_;
    state_ = next;
    Q_EMIT StateEntered(next, before);
}

void ServerLink::Open(const QString &address, quint16 port)
{
    protocol_.OnUserConnect();
    Enter(LinkState::Connecting);
    socket_->Open(address, port);
}

void ServerLink::Stop()
{
    const SessionStep step = protocol_.OnUserStop();
    Enter(LinkState::Stopping);
    Apply(step); // a subscription closes at once; its disconnection is handled before this returns
}

void ServerLink::Connected()
{
    received_.Clear();
    reconnectCount_ = 0;
    Enter(LinkState::Authorising);
}

// Carries out what the session asks for after an event, in the order the session needs it.
void ServerLink::Apply(const SessionStep &step)
{
    for (const std::string &line : step.log)
        log_.Log(QString::fromStdString(line));
    for (const std::string &text : step.writes)
        Send(text);
    if (step.poll == SessionStep::Poll::Start)
        pollTimer_->start();
    else if (step.poll == SessionStep::Poll::Stop)
        pollTimer_->stop();
    if (step.requestPhaseDone) {
        Enter(LinkState::Streaming);
        Q_EMIT RequestPhaseDone();
    }
    if (step.close) {
        socket_->Close();
        received_.Clear(); // the user's stop: what was received after the line that ended it is not handled
    }
    if (step.stopCompleted)
        for (const char *lamp : {"Send", "AckWait", "AckRx", "Error"})
            lamps_.Hide(lamp);
}

void ServerLink::QueueMoreLines()
{
    if (moreLinesQueued_)
        return;
    moreLinesQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        moreLinesQueued_ = false;
        Q_EMIT LinesWaiting();
    });
}

// Moves what the socket holds into the framing; false when no line is waiting after it. The
// socket announces only text that is new to it, so what it already holds is taken here
// whenever the lines run out. Once the connection is gone and all it held is taken, the
// received text ends. While a batch of lines waits for its turn the socket is not read: once
// its bounded buffer is full, TCP holds the server back instead of the received text growing
// here.
bool ServerLink::TakeReceivedText()
{
    const QByteArray received = socket_->ReadAll();
    if (!received.isEmpty())
        received_.Append(std::string_view(received.constData(), static_cast<std::size_t>(received.size())));
    else if (!socket_->IsConnected())
        received_.EndOfText();
    return received_.HasLine();
}

void ServerLink::BeginBatch()
{
    batch_.start();
    handedOut_ = 0;
}

bool ServerLink::NextLine(std::string &line)
{
    for (;; ++handedOut_) {
        if (!received_.HasLine() && !TakeReceivedText())
            return false; // everything received is handled
        if (handedOut_ == kLinesPerBatch || batch_.elapsed() >= kBatchMilliseconds) {
            QueueMoreLines();
            return false;
        }
        lamps_.Hide("Send");
        lamps_.Hide("AckWait");
        lamps_.Show("AckRx");
        ExtractedLine next = received_.Next();
        if (next.dropped != DroppedText::None) {
            log_.Log(DroppedTextReport(next.dropped));
            Apply(protocol_.OnDroppedLine());
            continue;
        }
        // An empty line ends the handling of what was read with it: the lines after it wait for
        // the next read, which the text the socket already holds stands for.
        if (next.line.empty() && socket_->BytesAvailable() == 0)
            return false;
        if (next.line.empty())
            continue;
        line = std::move(next.line);
        ++handedOut_;
        return true;
    }
}

// A failed line was reported; the lines after it go on in this batch: a turn of the event loop
// for each failed line would make a flood of them crawl.
void ServerLink::Answered(ReplyKind kind, const std::string &line, bool handled)
{
    if (handled && kind == ReplyKind::Authorised)
        Enter(LinkState::Requesting);
    Apply(protocol_.OnLine(kind, line, handled));
    if (handled)
        receiveTimer_->start();
}

bool ServerLink::Disconnected(bool autoReconnect)
{
    QueueMoreLines(); // what the socket still holds, then the end of the received text
    return Ended(autoReconnect);
}

bool ServerLink::Ended(bool autoReconnect)
{
    const bool reconnect = protocol_.OnDisconnected(autoReconnect && !reconnectTimer_->isActive()).reconnect;
    if (!reconnect)
        Enter(LinkState::Idle);
    return reconnect;
}

void ServerLink::ScheduleReconnection()
{
    Enter(LinkState::WaitingToReconnect);
    reconnectTimer_->start();
}

bool ServerLink::ReconnectionDue() const
{
    return reconnectTimer_->isActive();
}

int ServerLink::ReconnectionAttempt()
{
    reconnectTimer_->stop();
    if (socket_->IsConnected())
        return 0;
    Enter(LinkState::Connecting);
    return ++reconnectCount_;
}

// The stream is asked for at once: before the connection is up a START goes nowhere, and
// polling starts its timer.
void ServerLink::Reopen(const QString &address, quint16 port)
{
    socket_->Open(address, port);
    Apply(protocol_.OnReconnectOpened());
}

bool ServerLink::CancelReconnection()
{
    if (!reconnectTimer_->isActive())
        return false;
    reconnectTimer_->stop();
    Enter(LinkState::Idle);
    return true;
}

void ServerLink::PollTick()
{
    lamps_.Show("Send");
    Apply(protocol_.OnPollTick());
    lamps_.Show("AckWait");
}

void ServerLink::ReceiveLampOff()
{
    receiveTimer_->stop();
    lamps_.Hide("AckRx");
}
