// The session rules without a socket: what goes out, what the poll timer does, when the stream
// starts and when a stop completes.
#include "link/session_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Poll = SessionStep::Poll;

std::string Joined(const std::vector<std::string> &writes)
{
    std::string all;
    for (const std::string &w : writes)
        all += w;
    return all;
}

SessionStep Line(SessionProtocol &session, const std::string &line, bool handled = true)
{
    return session.OnLine(Classify(line), line, handled);
}

SessionProtocol Authorised(bool poll)
{
    SessionProtocol session;
    session.SetPollMode(poll);
    Line(session, "*AUTHORISED");
    return session;
}

TEST(SessionProtocol, AuthorisationSendsTheRequestListInFiveWrites)
{
    SessionProtocol session;
    const SessionStep step = Line(session, "*AUTHORISED");
    ASSERT_EQ(step.writes.size(), 5u);
    EXPECT_EQ(step.writes[0], "GETMSG,0,1\r\nGETMSG,1,1\r\nGETMSG,2,1\r\nGETMSG,3,1\r\n");
    EXPECT_EQ(step.writes[4], "GETMSG,27,1\r\nGETMSG,63,1\r\n");
    const std::string all = Joined(step.writes);
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 12, 17, 18, 24, 25, 26, 27, 63})
        EXPECT_NE(all.find("GETMSG," + std::to_string(type) + ",1\r\n"), std::string::npos) << type;
    EXPECT_EQ(session.RequestCount(), 0);
    EXPECT_EQ(step.poll, Poll::Keep);
}

// The 18th answer, a requested message or a "no message" error alike, starts the stream.
TEST(SessionProtocol, EighteenthAnswerStartsTheStream)
{
    struct Case {
        const char *name;
        bool poll;
        const char *answer;
    };
    const Case cases[] = {
        {"subscribe, messages", false, "*GETMSG,2100,1000.0,0102"},
        {"subscribe, errors 7", false, "*ERR,7,no message"},
        {"poll, messages", true, "*GETMSG,2100,1000.0,0102"},
        {"poll, errors 7", true, "*ERR,7,no message"},
    };
    for (const Case &c : cases) {
        SessionProtocol session = Authorised(c.poll);
        for (int n = 1; n < SessionProtocol::kRequestCount; ++n) {
            const SessionStep step = Line(session, c.answer);
            EXPECT_TRUE(step.writes.empty()) << c.name << " answer " << n;
            EXPECT_EQ(step.poll, Poll::Keep) << c.name << " answer " << n;
            EXPECT_FALSE(step.requestPhaseDone) << c.name << " answer " << n;
        }
        const SessionStep last = Line(session, c.answer);
        EXPECT_TRUE(last.requestPhaseDone) << c.name;
        if (c.poll) {
            EXPECT_EQ(last.poll, Poll::Start) << c.name;
            EXPECT_TRUE(last.writes.empty()) << c.name;
        } else {
            EXPECT_EQ(Joined(last.writes), "START\r\n") << c.name;
            EXPECT_EQ(last.poll, Poll::Keep) << c.name;
        }
        EXPECT_EQ(session.RequestCount(), SessionProtocol::kRequestCount) << c.name;
    }
}

TEST(SessionProtocol, RequestedMessagesStopCountingButErrorsGoOn)
{
    SessionProtocol session = Authorised(false);
    for (int n = 0; n < 25; ++n)
        Line(session, "*GETMSG,2100,1000.0,0102");
    EXPECT_EQ(session.RequestCount(), SessionProtocol::kRequestCount);
    // Later requested answers restart the stream each time.
    EXPECT_EQ(Joined(Line(session, "*GETMSG,2100,1001.0,0102").writes), "START\r\n");
    // An error 7 during the stream counts on and starts nothing.
    const SessionStep late = Line(session, "*ERR,7,no message");
    EXPECT_EQ(session.RequestCount(), SessionProtocol::kRequestCount + 1);
    EXPECT_TRUE(late.writes.empty());
    EXPECT_FALSE(late.requestPhaseDone);
    // A new authorisation counts from zero.
    Line(session, "*AUTHORISED");
    EXPECT_EQ(session.RequestCount(), 0);
}

TEST(SessionProtocol, FailedAnswerIsNotCounted)
{
    SessionProtocol session = Authorised(false);
    Line(session, "*GETMSG,2100,1000.0,0102", false);
    Line(session, "*ERR,7,no message", false);
    EXPECT_EQ(session.RequestCount(), 0);
}

TEST(SessionProtocol, OtherErrorsAreLoggedAndNotCounted)
{
    SessionProtocol session = Authorised(false);
    const SessionStep step = Line(session, "*ERR,3,Unknown command");
    const std::vector<std::string> expected = {"ERROR FOUND", "CODE:  3", "MESSAGE:  Unknown command", ""};
    EXPECT_EQ(step.log, expected);
    EXPECT_EQ(session.RequestCount(), 0);
    EXPECT_TRUE(step.writes.empty());
}

// In poll mode every answer to a poll asks for the next one, whatever became of it.
TEST(SessionProtocol, EveryPollAnswerRearmsThePoll)
{
    struct Case {
        const char *name;
        const char *line;
        bool handled;
        Poll expected;
    };
    const Case cases[] = {
        {"message", "*MSG,2100,1000.0,0102", true, Poll::Start},
        {"message whose handling failed", "*MSG,2100,x,zz", false, Poll::Start},
        {"no message yet", "*ERR,7,no message", true, Poll::Start},
        {"other error", "*ERR,3,Unknown command", true, Poll::Keep},
        {"text", "*TXT,hello", true, Poll::Keep},
    };
    for (const Case &c : cases) {
        SessionProtocol session = Authorised(true);
        for (int n = 0; n < SessionProtocol::kRequestCount; ++n)
            Line(session, "*ERR,7,no message");
        EXPECT_EQ(Line(session, c.line, c.handled).poll, c.expected) << c.name;
        EXPECT_EQ(session.OnDroppedLine().poll, Poll::Start) << c.name;
    }
}

TEST(SessionProtocol, NothingRearmsBeforeTheStreamOrWhenSubscribed)
{
    SessionProtocol polling = Authorised(true);
    EXPECT_EQ(Line(polling, "*MSG,2100,1000.0,0102").poll, Poll::Keep);
    EXPECT_EQ(polling.OnDroppedLine().poll, Poll::Keep);

    SessionProtocol subscribed = Authorised(false);
    for (int n = 0; n < SessionProtocol::kRequestCount; ++n)
        Line(subscribed, "*ERR,7,no message");
    EXPECT_EQ(Line(subscribed, "*MSG,2100,1000.0,0102").poll, Poll::Keep);
    EXPECT_EQ(Line(subscribed, "*ERR,7,no message").poll, Poll::Keep);
}

TEST(SessionProtocol, PollTickStopsTheTimerAndAsksForOneMessage)
{
    SessionProtocol session;
    session.SetPollMode(true);
    const SessionStep tick = session.OnPollTick();
    EXPECT_EQ(tick.poll, Poll::Stop);
    EXPECT_EQ(Joined(tick.writes), "MSG\n");
}

TEST(SessionProtocol, SubscribedStopClosesAtOnce)
{
    SessionProtocol session = Authorised(false);
    const SessionStep stop = session.OnUserStop();
    EXPECT_TRUE(stop.close);
    EXPECT_TRUE(session.StopPending());
    EXPECT_FALSE(session.OnDisconnected(true).reconnect);
    EXPECT_FALSE(session.StopPending());
}

// A poll-mode stop waits for the next handled answer, which must not re-arm the poll.
TEST(SessionProtocol, PolledStopCompletesAfterTheNextHandledAnswer)
{
    SessionProtocol session = Authorised(true);
    for (int n = 0; n < SessionProtocol::kRequestCount; ++n)
        Line(session, "*ERR,7,no message");
    const SessionStep stop = session.OnUserStop();
    EXPECT_FALSE(stop.close);

    const SessionStep failed = Line(session, "*MSG,2100,x,zz", false);
    EXPECT_FALSE(failed.stopCompleted);
    EXPECT_TRUE(session.StopPending());

    const SessionStep done = Line(session, "*MSG,2100,1000.0,0102");
    EXPECT_TRUE(done.stopCompleted);
    EXPECT_TRUE(done.close);
    EXPECT_EQ(done.poll, Poll::Stop);
    EXPECT_TRUE(done.writes.empty());
    EXPECT_FALSE(session.StopPending());

    // A later connection starts without a pending stop.
    session.OnUserStop();
    session.OnUserConnect();
    EXPECT_FALSE(Line(session, "*TXT,hello").stopCompleted);
}

TEST(SessionProtocol, SubscribedStopStillPendingSendsStop)
{
    // A subscription whose close did not end the connection yet stops the stream on the next line.
    SessionProtocol session = Authorised(false);
    session.OnUserStop();
    const SessionStep done = Line(session, "*MSG,2100,1000.0,0102");
    EXPECT_EQ(Joined(done.writes), "STOP\r\n");
    EXPECT_TRUE(done.close);
    EXPECT_TRUE(done.stopCompleted);
}

// A disconnection the user asked for is final, in both modes, whether it came at once or after
// the next line; only a connection lost without the user asking is followed by a reconnection,
// and only when reconnecting is allowed.
TEST(SessionProtocol, AUserStopIsFinalAndOnlyALostConnectionReconnects)
{
    enum class How { Lost, StopAsked, StopCompletedByALine, LostAfterAStopAndANewConnection };
    struct Case {
        const char *name;
        bool poll;
        How how;
        bool allowed;
        bool reconnect;
    };
    const Case cases[] = {
        {"lost, subscribed", false, How::Lost, true, true},
        {"lost, polling", true, How::Lost, true, true},
        {"lost, reconnecting not allowed", false, How::Lost, false, false},
        {"user's stop, subscribed", false, How::StopAsked, true, false},
        {"user's stop still waiting for a line, polling", true, How::StopAsked, true, false},
        {"user's stop completed by a line, polling", true, How::StopCompletedByALine, true, false},
        {"user's stop completed by a line, subscribed", false, How::StopCompletedByALine, true, false},
        {"lost after a stop and a new connection", false, How::LostAfterAStopAndANewConnection, true, true},
    };
    for (const Case &c : cases) {
        SessionProtocol session = Authorised(c.poll);
        for (int n = 0; n < SessionProtocol::kRequestCount; ++n)
            Line(session, "*ERR,7,no message");
        switch (c.how) {
        case How::Lost:
            break;
        case How::StopAsked:
            session.OnUserStop();
            break;
        case How::StopCompletedByALine:
            session.OnUserStop();
            ASSERT_TRUE(Line(session, "*MSG,2100,1000.0,0102").stopCompleted) << c.name;
            break;
        case How::LostAfterAStopAndANewConnection:
            session.OnUserStop();
            session.OnDisconnected(true);
            session.OnUserConnect();
            break;
        }
        EXPECT_EQ(session.OnDisconnected(c.allowed).reconnect, c.reconnect) << c.name;
        // The stop is not carried over: the next connection that is lost reconnects.
        EXPECT_TRUE(session.OnDisconnected(true).reconnect) << c.name;
        EXPECT_FALSE(session.StopPending()) << c.name;
    }
}

TEST(SessionProtocol, ReconnectionAsksForTheStreamAtOnce)
{
    SessionProtocol subscribed;
    EXPECT_EQ(Joined(subscribed.OnReconnectOpened().writes), "START\r\n");
    EXPECT_FALSE(subscribed.OnReconnectOpened().requestPhaseDone);
    SessionProtocol polling;
    polling.SetPollMode(true);
    EXPECT_EQ(polling.OnReconnectOpened().poll, Poll::Start);
}

} // namespace
