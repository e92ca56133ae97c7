#include "link/session_protocol.h"

#include "link/message_catalogue.h"

namespace {

const char *const kNoMessage = "7"; // the error code of "no message of this type (yet)"

} // namespace

SessionStep SessionProtocol::OnUserStop()
{
    stopPending_ = stopAsked_ = true;
    SessionStep step;
    step.close = !poll_;
    return step;
}

void SessionProtocol::StartStream(SessionStep &step) const
{
    if (poll_)
        step.poll = SessionStep::Poll::Start;
    else
        step.writes.push_back("START\r\n");
    step.requestPhaseDone = true;
}

void SessionProtocol::CountError(const std::string &line, SessionStep &step)
{
    const ErrorFields error = SplitErrorLine(line);
    if (error.code != kNoMessage) {
        step.log = {"ERROR FOUND", "CODE:  " + error.code, "MESSAGE:  " + error.message, ""};
        return;
    }
    ++requestCount_;
    if (requestCount_ == kRequestCount)
        StartStream(step);
    else if (requestCount_ > kRequestCount && poll_)
        step.poll = SessionStep::Poll::Start; // "no message yet" answers a poll too: ask again
}

SessionStep SessionProtocol::OnLine(ReplyKind kind, const std::string &line, bool handled)
{
    SessionStep step;
    if (handled && kind == ReplyKind::Authorised) {
        step.writes = RequestListWrites(); // the latest message of each requested type
        requestCount_ = 0;
    }
    if (handled && kind == ReplyKind::Error)
        CountError(line, step);
    if (handled && kind == ReplyKind::RequestedMessage) {
        if (requestCount_ < kRequestCount)
            ++requestCount_;
        // Every requested answer from the last one on (re)starts the stream.
        if (Streaming())
            StartStream(step);
    }
    // Every message answering a poll asks for the next one, whatever became of it (shown,
    // duplicate, over-long, unreadable): otherwise one odd answer would end polling for good.
    if (kind == ReplyKind::Message && poll_ && Streaming())
        step.poll = SessionStep::Poll::Start;
    if (handled && stopPending_) {
        if (poll_)
            step.poll = SessionStep::Poll::Stop;
        else
            step.writes.push_back("STOP\r\n");
        step.close = true;
        step.stopCompleted = true;
        stopPending_ = false;
    }
    return step;
}

SessionStep SessionProtocol::OnDisconnected(bool reconnectionAllowed)
{
    SessionStep step;
    step.reconnect = reconnectionAllowed && !stopAsked_;
    stopPending_ = stopAsked_ = false; // a stop is complete once the connection is gone
    return step;
}

SessionStep SessionProtocol::OnDroppedLine() const
{
    SessionStep step;
    if (poll_ && Streaming())
        step.poll = SessionStep::Poll::Start;
    return step;
}

SessionStep SessionProtocol::OnPollTick() const
{
    SessionStep step;
    step.poll = SessionStep::Poll::Stop;
    step.writes.push_back("MSG\n");
    return step;
}

SessionStep SessionProtocol::OnReconnectOpened() const
{
    SessionStep step;
    StartStream(step);
    step.requestPhaseDone = false;
    return step;
}
