// The replay server on its own: replay arithmetic, commands and fault injection, live feeds,
// the backlog of a stalled client and one port per GEO, with a raw socket as the client.
#include "du2ro_server.h"
#include "output/log_record.h"
#include "receiver_writers.h"
#include "sbas_encoder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

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

SbasMessage Message(int prn, int type, double tow)
{
    SbasMessage m;
    m.prn = prn;
    m.week = 2443;
    m.tow = tow;
    ParseHexDigits(SbasFrame(type).Hex(static_cast<int>(tow)), m.bits.data(), m.bits.size());
    return m;
}

TEST(Replay, GeosOfOneFileKeepTheFilesTimeline)
{
    // PRN 120 at 1000, 1001, 1002 s; PRN 126 at 1002 and 1003 s: the file spans 4 s.
    const std::vector<SbasMessage> file = {Message(120, 2, 1000), Message(120, 2, 1001), Message(126, 63, 1002),
                                           Message(120, 2, 1002), Message(126, 63, 1003)};
    const auto geos = Recording::ByGeo(file);
    ASSERT_EQ(geos.size(), 2u);
    const Recording &late = geos.at(126);
    EXPECT_EQ(late.ReplayedCount(1.5, false), 0) << "PRN 126 starts 2 s into the file";
    EXPECT_EQ(late.ReplayedCount(2.0, false), 1);
    EXPECT_EQ(late.At(0).tow, 1002);
    EXPECT_EQ(late.At(2).tow, 1006) << "the second loop starts 4 s later";
    EXPECT_EQ(geos.at(120).ReplayedCount(4.0, true), 4) << "PRN 120 loops with the file: its first message again";
}

class ServerTest : public ::testing::Test {
protected:
    std::unique_ptr<Du2roServer> server;
    QTcpSocket client;
    QByteArray received;
    QStringList warnings;

    void Start(ServerOptions o)
    {
        o.port = 0;
        o.speed = 0;
        Serve(std::make_shared<ReplayFeed>(Recording::FromRecords(ThreeRecords()), 0, false), o);
    }
    void Serve(std::shared_ptr<Feed> feed, ServerOptions o)
    {
        o.port = 0;
        server = std::make_unique<Du2roServer>(std::move(feed), o);
        QObject::connect(server.get(), &Du2roServer::Warning, [this](const QString &w) { warnings << w; });
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
    EXPECT_EQ(answers[0], "*ERR,7,No message of type 2") << "nothing replayed yet";
    EXPECT_EQ(answers[1], "*ERR,7,No message of type 9");
    EXPECT_TRUE(answers[2].startsWith("*ERR,4,"));
    const auto stream = Exchange("START\r\n", 3);
    ASSERT_EQ(stream.size(), 3);
    EXPECT_TRUE(stream[0].startsWith("*MSG,2443,604798,"));
    EXPECT_TRUE(stream[2].startsWith("*MSG,2444,0,")) << stream[2].toStdString();
}

// At full speed each client replays from the start at its own pace: a request is answered with
// the latest message of its type the client has been sent, error 7 before any.
TEST_F(ServerTest, RequestAnswersFollowTheReplayPosition)
{
    Start({});
    Exchange("AUTH,u,p\r\n", 1);
    // The recording: type 2 at 604798 s, type 2 at 604799 s, type 63 at 604800 s (week 2444, 0 s).
    const struct {
        int polls; // messages sent before the requests
        QByteArray type2, type63;
    } rows[] = {
        {0, "*ERR,7,No message of type 2", "*ERR,7,No message of type 63"},
        {1, "*GETMSG,2443,604798,", "*ERR,7,No message of type 63"},
        {2, "*GETMSG,2443,604799,", "*ERR,7,No message of type 63"},
        {3, "*GETMSG,2443,604799,", "*GETMSG,2444,0,"},
    };
    int polled = 0;
    for (const auto &row : rows) {
        for (; polled < row.polls; ++polled)
            Exchange("MSG\n", 1);
        const auto answers = Exchange("GETMSG,2,1\r\nGETMSG,63,1\r\n", 2);
        ASSERT_EQ(answers.size(), 2);
        EXPECT_TRUE(answers[0].startsWith(row.type2)) << row.polls << ": " << answers[0].toStdString();
        EXPECT_TRUE(answers[1].startsWith(row.type63)) << row.polls << ": " << answers[1].toStdString();
    }
}

TEST_F(ServerTest, ALiveFeedAnswersFromTheLatestSeenAndStreamsWhatArrives)
{
    auto feed = std::make_shared<LiveFeed>(100);
    feed->Append(Message(124, 2, 1000));
    feed->Append(Message(124, 2, 1001));
    feed->Append(Message(124, 63, 1002));
    Serve(feed, {});
    Exchange("AUTH,u,p\r\n", 1);
    const auto answers = Exchange("GETMSG,2,1\r\nGETMSG,9,1\r\nGETMSG,63,1\r\n", 3);
    ASSERT_EQ(answers.size(), 3);
    EXPECT_TRUE(answers[0].startsWith("*GETMSG,2443,1001,")) << answers[0].toStdString();
    EXPECT_EQ(answers[1], "*ERR,7,No message of type 9");
    EXPECT_TRUE(answers[2].startsWith("*GETMSG,2443,1002,")) << answers[2].toStdString();
    client.write("START\r\n");
    ASSERT_TRUE(client.waitForBytesWritten(1000));
    QTest::qWait(50); // the START is read before the next message arrives
    received.clear();
    feed->Append(Message(124, 2, 1003));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.count('\n') >= 1; }, 3000));
    EXPECT_TRUE(received.startsWith("*MSG,2443,1003,")) << "only what arrives after START: " << received.toStdString();
    EXPECT_EQ(received.count('\n'), 1);
}

// A client that stops reading is dropped once it is a backlog behind, and the others go on.
TEST_F(ServerTest, AStalledClientIsDroppedAtTheBacklog)
{
    // A backlog ten times what arrives between two ticks of the server: the reading client never
    // comes near it, even with a few ticks late on a busy machine.
    auto feed = std::make_shared<LiveFeed>(4000);
    ServerOptions o;
    o.backlog = 4000;
    Serve(feed, o);
    // A client with a small receive buffer that reads nothing after START.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int small = 2048;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    QTcpSocket stalled;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(server->Port());
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr *>(&to), sizeof to), 0);
    ASSERT_EQ(::write(fd, "AUTH,u,p\r\nSTART\r\n", 17), 17);
    Exchange("AUTH,u,p\r\n", 1);
    client.write("START\r\n");
    QTest::qWait(50);
    int appended = 0;
    // 400 messages a tick of the server, which sends up to 500 a tick to each client. The stalled
    // client's share fills the socket buffers of both ends (some MB) before it falls behind.
    for (; appended < 200000 && warnings.isEmpty(); appended += 400) {
        for (int i = 0; i < 400; ++i)
            feed->Append(Message(124, i % 2 ? 2 : 63, 1000 + appended + i));
        QTest::qWait(20);
    }
    ::close(fd);
    ASSERT_EQ(warnings.size(), 1) << appended << " messages appended";
    EXPECT_TRUE(warnings[0].contains("dropped")) << warnings[0].toStdString();
    EXPECT_EQ(server->ClientCount(), 1) << "the reading client stays";
    EXPECT_EQ(client.state(), QAbstractSocket::ConnectedState);
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
    const QStringList bad[] = {{"--address", "not-an-address"},
                               {"--port", "65536"},
                               {"--port", "x"},
                               {"--geo", "120"},
                               {"--geo", "99=7000"},
                               {"--geo", "120=7000", "--geo", "120=7001"},
                               {"--source", "gps:file"},
                               {"--source", "ubx:tcp://host"},
                               {"--source", "ubx:"},
                               {"--source", "text:a", "--recording", "b"},
                               {"--baud", "0"},
                               {"--report-every", "-1"},
                               {"--backlog", "0"}};
    for (const QStringList &args : bad) {
        QProcess server;
        server.start(VELMAR_SERVER_BINARY, args);
        ASSERT_TRUE(server.waitForFinished(5000)) << args.join(' ').toStdString();
        EXPECT_EQ(server.exitCode(), 2) << args.join(' ').toStdString();
    }
}

// One port per GEO: a UBX file of two GEOs, each served on its own port.
TEST(ServerCommandLine, EachGeoOnItsOwnPort)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("two-geos.ubx");
    std::ofstream(file.toStdString(), std::ios::binary)
        << receiver::Ubx({Message(120, 2, 100), Message(126, 63, 100), Message(120, 2, 101), Message(126, 63, 101)});
    QProcess server;
    server.start(VELMAR_SERVER_BINARY, {"--source", "ubx:" + file, "--geo", "120=0", "--geo", "126=0", "--speed", "max",
                                        "--report-every", "0"});
    std::map<int, quint16> ports;
    const QRegularExpression listening("PRN (\\d+): listening on 127.0.0.1:(\\d+)");
    QByteArray out;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        out += server.readAllStandardOutput();
        for (auto it = listening.globalMatch(QString::fromLatin1(out)); it.hasNext();) {
            const auto m = it.next();
            ports[m.captured(1).toInt()] = static_cast<quint16>(m.captured(2).toUInt());
        }
        return ports.size() == 2;
    }, 5000)) << out.toStdString();
    for (const int prn : {120, 126}) {
        QTcpSocket c;
        c.connectToHost("127.0.0.1", ports[prn]);
        ASSERT_TRUE(c.waitForConnected(2000));
        c.write("AUTH,u,p\r\nSTART\r\n");
        QByteArray got;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            got += c.readAll();
            return got.count('\n') >= 3;
        }, 3000)) << prn;
        const QList<QByteArray> lines = got.split('\n');
        // The UBX epochs of 101 and 102 s time the messages at 100 and 101 s. The payload's first
        // digits tell the GEO by type: the preamble (9A for message 100, C6 for 101, the
        // encoder taking 53, 9A, C6 in turn), then the type in the top six bits of the second
        // byte: 2 gives 08, 63 gives FC.
        EXPECT_TRUE(lines[1].startsWith(prn == 120 ? "*MSG,2443,100,9A08" : "*MSG,2443,100,9AFC"))
            << prn << ": " << lines[1].toStdString();
        EXPECT_TRUE(lines[2].startsWith(prn == 120 ? "*MSG,2443,101,C608" : "*MSG,2443,101,C6FC"))
            << prn << ": " << lines[2].toStdString();
    }
    server.terminate();
    EXPECT_TRUE(server.waitForFinished(5000));
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
