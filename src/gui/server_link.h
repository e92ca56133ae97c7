#pragma once

#include "link/reply_line.h"
#include "link/session_protocol.h"

#include <QElapsedTimer>
#include <QObject>

#include <string>

class DataServerSocket;
class Lamps;
class LogWindow;
class QTimer;

// Where the connection to the data server stands.
enum class LinkState { Idle, Connecting, Authorising, Requesting, Streaming, Stopping, WaitingToReconnect };

// What the main window shows of a state: the Connect button's caption and whether the button
// takes a click, and whether the Close button, the Options menu and the Settings and
// Authorisation buttons do.
struct LinkControls {
    const char *caption;
    bool connectEnabled;
    bool sessionControlsEnabled;
};
LinkControls ControlsOf(LinkState state);

// The connection to the data server: the socket, the received text cut into lines and handed
// out in batches, the session rules applied after each answer, and the timers of the poll
// cycle, the receive lamp and the reconnection. The main window's handlers drive it: they are
// wired to its socket and timers, and handle each line it hands out.
class ServerLink final : public QObject {
    Q_OBJECT
public:
    ServerLink(Lamps &lamps, LogWindow &log, QObject *parent);

    DataServerSocket &Socket() { return *socket_; }
    QTimer &PollTimer() { return *pollTimer_; }
    QTimer &ReceiveTimer() { return *receiveTimer_; }
    QTimer &ReconnectTimer() { return *reconnectTimer_; }
    LinkState State() const { return state_; }
    SessionProtocol &Protocol() { return protocol_; }
    const SessionProtocol &Protocol() const { return protocol_; }
    bool IsConnected() const;
    // Whether a batch of received lines waits for its turn, and the bytes held for lines not
    // yet handed out.
    bool LinesQueued() const { return moreLinesQueued_; }
    std::size_t ReceivedTextHeld() const { return received_.Held(); }

    // The user connects (from Idle) or stops (otherwise). In subscription mode a stop closes the
    // connection at once; in poll mode it completes after the next answer.
    void Open(const QString &address, quint16 port);
    void Stop();
    void Send(const std::string &text);
    // The socket reports the connection up: authorisation is next.
    void Connected();

    // The lines received so far, one at a time, in batches: after BeginBatch, NextLine hands out
    // lines until the batch is full (the rest then waits for LinesWaiting) or nothing is left.
    // Every line handed out is answered with Answered.
    void BeginBatch();
    bool NextLine(std::string &line);
    void Answered(ReplyKind kind, const std::string &line, bool handled);

    // The socket reports the connection gone: what it still held is handed out later. True when
    // a reconnection follows, which ScheduleReconnection then starts.
    bool Disconnected(bool autoReconnect);
    // The connection ended, closed or lost. True when a reconnection follows: never after a stop
    // the user asked for, otherwise when Auto-Reconnect is on and none is due yet.
    bool Ended(bool autoReconnect);
    void ScheduleReconnection();
    bool ReconnectionDue() const;
    // The reconnection timer fired: 0 when the connection is up after all, otherwise the
    // number of this attempt in a row since the last connection; Reopen then opens it.
    int ReconnectionAttempt();
    void Reopen(const QString &address, quint16 port);
    // Auto-Reconnect was unchecked: a pending reconnection is cancelled (true) and the link is
    // idle again.
    bool CancelReconnection();

    void PollTick();
    void ReceiveLampOff();

Q_SIGNALS:
    // Each state entered, also the one it already was in, with the one before.
    void StateEntered(LinkState now, LinkState before);
    // A batch of lines is due.
    void LinesWaiting();
    // The answer that ends the request phase was handled; the stream is asked for.
    void RequestPhaseDone();

private:
    void Enter(LinkState next);
    void Apply(const SessionStep &step);
    bool TakeReceivedText();
    void QueueMoreLines();

    // Lines handed out before the event loop gets its turn again, so a flood never freezes
    // input and painting: at most this many, or for at most this long.
    static constexpr int kLinesPerBatch = 200;
    static constexpr int kBatchMilliseconds = 20;

    Lamps &lamps_;
    LogWindow &log_;
    DataServerSocket *socket_;
    QTimer *pollTimer_;      // TimerMSG
    QTimer *receiveTimer_;   // TimerRx
    QTimer *reconnectTimer_; // TimerRecon
    SessionProtocol protocol_; // the request phase, the stream start, polling and the stop
    LineFramer received_;
    bool moreLinesQueued_ = false; // a batch of waiting lines is due from the event loop
    QElapsedTimer batch_;
    int handedOut_ = 0;             // lines and dropped texts of this batch
    LinkState state_ = LinkState::Idle;
    int reconnectCount_ = 0;        // reconnection attempts since the last connection
};
