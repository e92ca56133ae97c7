#pragma once

#include "link/message_catalogue.h"
#include "link/reply_line.h"

#include <string>
#include <vector>

// What the connection must do after a session event.
struct SessionStep {
    enum class Poll { Keep, Start, Stop };

    std::vector<std::string> writes; // to send, in this order
    Poll poll = Poll::Keep;          // the poll timer; a later decision of one step wins
    bool requestPhaseDone = false;   // the answer that starts the stream
    bool stopCompleted = false;      // the user's stop is complete: the connection closes
    bool close = false;              // close the connection now
    bool reconnect = false;          // the connection ended: connect again a minute later
    std::vector<std::string> log;    // lines for the log window
};

// The DU2RO session without a socket: the request phase after authorisation, the start of the
// stream (subscription or polling), the poll cycle and the user's stop. Each operation says what
// the caller must send, start, stop and log; nothing here touches a connection or a widget.
class SessionProtocol final {
public:
    // Answers to the request list after authorisation; the last of them starts the stream.
    static constexpr int kRequestCount = ::kRequestCount;

    void SetPollMode(bool poll) { poll_ = poll; }
    bool PollMode() const { return poll_; }
    // Answers counted since authorisation. It stops at kRequestCount for requested messages
    // but goes on with every "no message" error, which marks a later answer as a repeat.
    int RequestCount() const { return requestCount_; }
    bool StopPending() const { return stopPending_; }

    void OnUserConnect() { stopPending_ = stopAsked_ = false; }
    // The user asked to disconnect. In subscription mode the connection closes at once; in poll
    // mode the stop completes after the next handled answer.
    SessionStep OnUserStop();
    // After a reply line of the given kind was handled; handled is false when its handling
    // failed, which counts no answer but still keeps polling going. The authorisation line
    // sends the request list, whose answers are then counted anew.
    SessionStep OnLine(ReplyKind kind, const std::string &line, bool handled);
    // Received text too long for a line was dropped: an answer all the same.
    SessionStep OnDroppedLine() const;
    // The poll timer fired.
    SessionStep OnPollTick() const;
    // The connection ended, closed or lost. An end the user asked for is final; any other is
    // followed by a reconnection when reconnecting is allowed (Auto-Reconnect is on and none is
    // due yet).
    SessionStep OnDisconnected(bool reconnectionAllowed);
    // A reconnection was just opened: the stream is asked for at once. Before the connection is
    // up a START goes nowhere; polling starts its timer.
    SessionStep OnReconnectOpened() const;
    void Reset() { requestCount_ = 0; }

private:
    bool Streaming() const { return requestCount_ >= kRequestCount; }
    void StartStream(SessionStep &step) const;
    void CountError(const std::string &line, SessionStep &step);

    bool poll_ = false;
    bool stopPending_ = false; // the stop completes after the next handled answer
    bool stopAsked_ = false;   // the user asked to disconnect, until the connection has ended
    int requestCount_ = 0;
};
