// The replay server on its own: replay arithmetic, commands and fault injection, with a raw
// socket as the client.
#include "du2ro_server.h"
#include "output/log_record.h"
#include "sbas_encoder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<std::string> ThreeRecords()
{
    std::vector<std::string> lines;
    for (int i = 0; i < 3; ++i)
        lines.push_back(FormatLogRecord(120, i == 2 ? 63 : 2, 2443, 604798 + i, SbasFrame(i == 2 ? 63 : 2).Hex(i)));
    lines.push_back("not a record");
    return lines;
}

TEST(Replay, LoopsMoveTheTimeOfWeekOnIntoTheNextWeek)
{
    const Recording r = Recording::FromRecords(ThreeRecords());
    EXPECT_EQ(r.Size(), 3u);
    EXPECT_EQ(r.Skipped(), 1u);
    EXPECT_EQ(r.ReplayedCount(0, false), 1);
    EXPECT_EQ(r.ReplayedCount(1.5, false), 2);
    EXPECT_EQ(r.ReplayedCount(100, false), 3);
    EXPECT_EQ(r.ReplayedCount(3.0, true), 4); // the second loop's first message
    const auto second = r.At(1);
    EXPECT_EQ(second.week, 2443);
    EXPECT_EQ(second.tow, 604799);
    const auto wrapped = r.At(4); // loop 2, message 2: 3 s after its first round
    EXPECT_EQ(wrapped.week, 2444);
    EXPECT_EQ(wrapped.tow, 2);
    EXPECT_EQ(r.LatestOfType(2, 2), 1);
    EXPECT_EQ(r.LatestOfType(63, 2), -1);
    EXPECT_EQ(r.LatestOfType(63, 6), 5);
}

class ServerTest : public ::testing::Test {
protected:
    std::unique_ptr<Du2roServer> server;
    QTcpSocket client;
    QByteArray received;

    void Start(ServerOptions o)
    {
        o.port = 0;
        o.speed = 0;
        server = std::make_unique<Du2roServer>(Recording::FromRecords(ThreeRecords()), o);
        QString error;
        ASSERT_TRUE(server->Listen(error));
        QObject::connect(&client, &QTcpSocket::readyRead, [this] { received += client.readAll(); });
        client.connectToHost("127.0.0.1", server->Port());
        ASSERT_TRUE(client.waitForConnected(2000));
    }
    QList<QByteArray> Exchange(const QByteArray &request, int lines)
    {
        received.clear();
        client.write(request);
        EXPECT_TRUE(QTest::qWaitFor([&] { return received.count('\n') >= lines; }, 3000))
            << "waited in vain for " << lines << " lines after " << request.toStdString();
        QList<QByteArray> out = received.split('\n');
        out.removeLast();
        for (auto &l : out)
            l.chop(1); // CR
        return out;
    }
};

TEST_F(ServerTest, AuthorisationRequestsAndStreaming)
{
    ServerOptions o;
    o.user = "alice";
    o.password = "pw";
    Start(o);
    EXPECT_EQ(Exchange("GETMSG,2,1\r\n", 1), QList<QByteArray>{"*ERR,2,Not authorised"});
    EXPECT_EQ(Exchange("AUTH,bob,pw\r\n", 1), QList<QByteArray>{"*ERR,1,Authorisation refused"});
    EXPECT_EQ(Exchange("AUTH,alice,pw\r\n", 1), QList<QByteArray>{"*AUTH"});
    const auto answers = Exchange("GETMSG,2,1\r\nGETMSG,9,1\r\nFOO\r\n", 3);
    ASSERT_EQ(answers.size(), 3);
    EXPECT_TRUE(answers[0].startsWith("*GETMSG,2443,604799,9A08")) << answers[0].toStdString();
    EXPECT_EQ(answers[1], "*ERR,7,No message of type 9");
    EXPECT_TRUE(answers[2].startsWith("*ERR,4,"));
    const auto stream = Exchange("START\r\n", 3);
    ASSERT_EQ(stream.size(), 3);
    EXPECT_TRUE(stream[0].startsWith("*MSG,2443,604798,"));
    EXPECT_TRUE(stream[2].startsWith("*MSG,2444,0,")) << stream[2].toStdString();
}

TEST_F(ServerTest, PollsAnswerOneMessageEach)
{
    Start({});
    Exchange("AUTH,u,p\r\n", 1);
    EXPECT_EQ(Exchange("MSG\n", 1).size(), 1);
    const auto two = Exchange("MSG\nMSG\n", 2);
    ASSERT_EQ(two.size(), 2);
    EXPECT_TRUE(two[1].startsWith("*MSG,2444,0,")) << two[1].toStdString();
}

TEST_F(ServerTest, PollsCanBeAnsweredWithNoMessage)
{
    ServerOptions o;
    o.pollErrorEvery = 2;
    Start(o);
    Exchange("AUTH,u,p\r\n", 1);
    const auto answers = Exchange("MSG\nMSG\nMSG\nMSG\n", 4);
    ASSERT_EQ(answers.size(), 4);
    const auto count = [&](const char *prefix) {
        return std::count_if(answers.begin(), answers.end(), [&](const QByteArray &a) { return a.startsWith(prefix); });
    };
    EXPECT_EQ(count("*ERR,7,"), 2);
    EXPECT_EQ(count("*MSG,"), 2);
}

TEST(ServerCommandLine, RefusesAnAddressOrPortThatIsNotOne)
{
    const QStringList bad[] = {{"--address", "not-an-address"}, {"--port", "65536"}, {"--port", "x"}};
    for (const QStringList &args : bad) {
        QProcess server;
        server.start(VELMAR_SERVER_BINARY, args);
        ASSERT_TRUE(server.waitForFinished(5000)) << args.join(' ').toStdString();
        EXPECT_EQ(server.exitCode(), 2) << args.join(' ').toStdString();
    }
}

TEST_F(ServerTest, FaultsAreInjectedOnRequest)
{
    ServerOptions o;
    o.text = "hello";
    o.errorCode = "3";
    o.malformedEvery = 2;
    o.duplicateEvery = 3;
    o.closeAfterLines = 7;
    Start(o);
    EXPECT_EQ(Exchange("AUTH,u,p\r\n", 3), (QList<QByteArray>{"*AUTH", "*TXT,hello", "*ERR,3,Injected error"}));
    const auto stream = Exchange("START\r\n", 4);
    ASSERT_EQ(stream.size(), 4);
    EXPECT_TRUE(stream[1].startsWith("*MSG,W2443,"));  // every second message spoiled
    EXPECT_EQ(stream[2], stream[3]);                   // every third sent twice
    EXPECT_TRUE(QTest::qWaitFor([&] { return client.state() == QAbstractSocket::UnconnectedState; }, 3000));
}

TEST_F(ServerTest, AnOverlongLineEndsOnlyThatClient)
{
    Start({});
    QTcpSocket other;
    other.connectToHost("127.0.0.1", server->Port());
    ASSERT_TRUE(other.waitForConnected(2000));
    client.write(QByteArray(10000, 'x'));
    EXPECT_TRUE(QTest::qWaitFor([&] { return client.state() == QAbstractSocket::UnconnectedState; }, 3000));
    other.write("AUTH,u,p\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.bytesAvailable() > 0; }, 3000));
    EXPECT_EQ(other.readAll(), "*AUTH\r\n");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
