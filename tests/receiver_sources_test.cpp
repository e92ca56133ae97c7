// The real client against the server fed by a receiver: a file of each format replayed in full
// and logged back line for line; a live serial device (a pseudo-terminal) and a live TCP stream
// written in bursts, cut anywhere, with garbage between the frames.
#include "support/session_fixture.h"

#include "frame_reader.h"
#include "live_input.h"
#include "logging_form.h"
#include "receiver_writers.h"
#include "source_address.h"
#include "text_reader.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTcpServer>

#include <fstream>
#include <functional>
#include <pty.h>
#include <random>
#include <unistd.h>

namespace {

using Writer = std::function<std::string(const std::vector<SbasMessage> &)>;

struct Format {
    const char *name;
    SourceFormat reader;
    Writer write;
    bool carriesBadParity;
};

// Each file mixes the forms a receiver of its maker may put on one port.
const Format kFormats[] = {
    {"ubx", SourceFormat::Ubx,
     [](const auto &m) {
         const std::size_t half = m.size() / 2; // NAV-TIMEGPS, then RXM-RAWX epochs
         return receiver::Ubx({m.begin(), m.begin() + static_cast<std::ptrdiff_t>(half)}) +
                receiver::Ubx({m.begin() + static_cast<std::ptrdiff_t>(half), m.end()}, receiver::UbxClock::Rawx);
     },
     true},
    {"sbf", SourceFormat::Sbf, [](const auto &m) { return receiver::Sbf(m); }, true},
    {"novatel", SourceFormat::Novatel,
     [](const auto &m) {
         std::string out; // binary and ASCII logs in turn
         for (std::size_t i = 0; i < m.size(); ++i)
             out += i % 2 ? receiver::NovatelAscii({m[i]}) : receiver::NovatelBinary({m[i]});
         return out;
     },
     false},
    {"text", SourceFormat::Text,
     [](const auto &m) {
         std::string out; // records, full tool lines and 58-digit tool lines in turn
         for (std::size_t i = 0; i < m.size(); ++i)
             out += i % 3 == 0 ? receiver::LogRecords({m[i]})
                               : receiver::ToolLines({m[i]}, i % 3 == 2 && m[i].ParityHolds());
         return out;
     },
     true},
};

// The log records the client writes for these messages, the PRN being the GEO box's.
QStringList Expected(const std::vector<SbasMessage> &messages, bool withBadParity)
{
    QStringList lines;
    for (const SbasMessage &m : messages)
        if (withBadParity || m.ParityHolds())
            lines << QString::fromStdString(FormatLogRecord(m.prn, m.Type(), m.week, m.tow, m.Hex())).chopped(2);
    return lines;
}

class ReceiverSourceTest : public SessionTest {
protected:
    bool started = false;

    // Thirty messages of GEO 124, one a second, one with its parity spoilt.
    static std::vector<SbasMessage> Synthetic()
    {
        std::vector<SbasFrame> frames;
        for (int i = 0; i < 6; ++i)
            for (const SbasFrame &frame : SessionTest::TypicalFrames())
                frames.push_back(frame);
        std::vector<SbasMessage> out;
        for (const std::string &record : SessionTest::Records(frames))
            out.push_back(*TextReader::ReadLine(record));
        out[7].bits[20] ^= 0x10; // a data bit: the parity no longer holds
        return out;
    }

    // The client connects to `server` for GEO `prn` and logs from the moment it asks for the
    // stream; true once the server has taken its START.
    bool ConnectAndLog(const std::string &prn)
    {
        StartClient();
        frm->GeoTableRef().Row(1).prn = prn;
        auto *form = frm->LoggingForm();
        form->findChild<QLineEdit *>("FileNameEdit")->setText(cwd.Path("replay.klt"));
        QObject::connect(Socket(), &DataServerSocket::Written, form, [form](const QByteArray &b) {
            if (b == "START\r\n")
                form->findChild<QPushButton *>("StartStopButton")->click();
        });
        started = false;
        QObject::connect(server.get(), &Du2roServer::Event, [this](const QString &e) { started |= e.endsWith(" START"); });
        Button("Connect")->click();
        return WaitFor([&] { return started; }, 10000);
    }
    // Ready for the next session in the same test.
    void EndSession()
    {
        frm.reset();
        server.reset();
        QFile::remove(cwd.Path("replay.klt"));
        writes.clear();
        ui.dialogs.clear();
    }
    QStringList Logged(int expected)
    {
        QByteArray log;
        WaitFor([&] {
            log = QFile::exists(cwd.Path("replay.klt")) ? cwd.Read("replay.klt") : QByteArray();
            return log.count('\n') >= expected;
        }, 30000);
        QStringList lines = QString::fromLatin1(log).split("\r\n");
        EXPECT_EQ(lines.takeLast(), "") << "every line ends with CR LF";
        return lines;
    }
    QStringList ReplayFile(const Format &f, const std::vector<SbasMessage> &messages, const std::string &prn)
    {
        const QString path = cwd.Path(QString("source.") + f.name);
        cwd.Write(QString("source.") + f.name, QByteArray::fromStdString(f.write(messages)));
        QString error;
        const auto source = ParseSourceAddress(QString(f.name) + ":" + path, error);
        const auto read = source ? ReadSourceFile(*source, error) : std::nullopt;
        EXPECT_TRUE(read) << error.toStdString();
        if (!read)
            return {};
        ServerOptions o;
        o.port = 0;
        server = std::make_unique<Du2roServer>(std::make_shared<ReplayFeed>(Recording::FromMessages(read->messages), 0, false), o);
        QString listenError;
        EXPECT_TRUE(server->Listen(listenError));
        EXPECT_TRUE(ConnectAndLog(prn));
        return Logged(static_cast<int>(read->messages.size()));
    }
};

TEST_F(ReceiverSourceTest, EachFormatsFileReplaysToTheClientsLogLineForLine)
{
    const std::vector<SbasMessage> messages = Synthetic();
    for (const Format &f : kFormats) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(ReplayFile(f, messages, "124"), Expected(messages, f.carriesBadParity));
        EndSession();
    }
}

// The real recordings through every format, when they are present.
TEST_F(ReceiverSourceTest, RealRecordingsComeBackThroughEveryFormat)
{
    const std::string dir = VELMAR_RECORDINGS_DIR;
    int files = 0;
    for (const char *name : {"recording-a.txt", "recording-b.txt", "recording-c.txt"}) {
        std::ifstream in(dir + "/" + name);
        if (!in)
            continue;
        ++files;
        std::vector<SbasMessage> messages;
        QStringList lines, goodParity;
        for (std::string line; std::getline(in, line);) {
            messages.push_back(*TextReader::ReadLine(line));
            lines << QString::fromStdString(line);
            if (messages.back().ParityHolds())
                goodParity << QString::fromStdString(line);
        }
        for (const Format &f : kFormats) {
            const QStringList logged = ReplayFile(f, messages, std::to_string(messages[0].prn));
            const QStringList &expected = f.carriesBadParity ? lines : goodParity;
            int differing = 0;
            for (int i = 0; i < std::min(logged.size(), expected.size()); ++i)
                differing += logged[i] != expected[i];
            EXPECT_EQ(logged.size(), expected.size()) << name << ", " << f.name;
            EXPECT_EQ(differing, 0) << name << ", " << f.name;
            std::cout << name << " as " << f.name << ": " << logged.size() << " lines logged, " << differing
                      << " differing\n";
            EndSession();
        }
    }
    if (files == 0)
        GTEST_SKIP() << "no recordings in " << dir;
}

// Frames with garbage between every few, cut into pieces of 1 to 120 bytes.
std::vector<QByteArray> Bursts(const Format &f, const std::vector<SbasMessage> &messages)
{
    std::string stream;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (i % 4 == 1)
            stream += f.reader == SourceFormat::Text ? "garbage line\n" : std::string("\x00\xB5$#\xAA\x44 noise", 12);
        stream += f.write({messages[i]});
    }
    std::vector<QByteArray> pieces;
    std::mt19937 random(11);
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t n = 1 + random() % 120;
        pieces.push_back(QByteArray::fromStdString(stream.substr(at, n)));
        at += n;
    }
    return pieces;
}

class LiveSourceTest : public ReceiverSourceTest {
protected:
    std::shared_ptr<LiveFeed> feed = std::make_shared<LiveFeed>(1000);
    std::unique_ptr<LiveInput> input;
    QStringList reports;

    void StartInput(SourceAddress source, int reportSeconds = 0)
    {
        LiveInput::Routes routes;
        routes.all = feed;
        input = std::make_unique<LiveInput>(source, 115200, routes, reportSeconds);
        QObject::connect(input.get(), &LiveInput::Report, [this](const QString &line) { reports << line; });
        input->Open();
        ServerOptions o;
        o.port = 0;
        server = std::make_unique<Du2roServer>(feed, o);
        QString error;
        ASSERT_TRUE(server->Listen(error));
        ASSERT_TRUE(ConnectAndLog("124"));
    }
    // Writes the pieces as they come, a few at a time, the reader taking what has arrived.
    void WriteInBursts(const std::vector<QByteArray> &pieces, const std::function<void(const QByteArray &)> &write)
    {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            write(pieces[i]);
            if (i % 5 == 4)
                QTest::qWait(3);
        }
    }
};

TEST_F(LiveSourceTest, ASerialReceiverIsServedAsItDelivers)
{
    int master = -1, slave = -1;
    char name[128] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    SourceAddress source;
    source.format = SourceFormat::Ubx;
    source.transport = SourceAddress::Transport::Serial;
    source.where = name;
    StartInput(source, 1);
    const std::vector<SbasMessage> messages = Synthetic();
    const Format &ubx = kFormats[0];
    WriteInBursts(Bursts(ubx, messages), [master](const QByteArray &piece) {
        ASSERT_EQ(::write(master, piece.constData(), static_cast<std::size_t>(piece.size())), piece.size());
    });
    EXPECT_EQ(Logged(static_cast<int>(messages.size())), Expected(messages, true));
    // The operator is told what arrives, a line a second here: the GEO's rate among it.
    EXPECT_TRUE(WaitFor([&] { return reports.filter(QRegularExpression("PRN 124 [0-9.]+/s")).size() > 0; }, 3000))
        << reports.join('\n').toStdString();
    EXPECT_TRUE(reports.first().endsWith(": open at 115200 baud")) << reports.first().toStdString();
    ::close(slave);
    ::close(master);
}

TEST_F(LiveSourceTest, ATcpStreamIsServedAsItDelivers)
{
    const std::vector<SbasMessage> messages = Synthetic();
    for (const Format &f : {kFormats[1], kFormats[2]}) {
        SCOPED_TRACE(f.name);
        QTcpServer receiver;
        ASSERT_TRUE(receiver.listen(QHostAddress::LocalHost));
        SourceAddress source;
        source.format = f.reader;
        source.transport = SourceAddress::Transport::Tcp;
        source.host = "127.0.0.1";
        source.port = receiver.serverPort();
        source.where = "127.0.0.1:" + QString::number(source.port);
        feed = std::make_shared<LiveFeed>(1000);
        StartInput(source);
        ASSERT_TRUE(WaitFor([&] { return receiver.hasPendingConnections(); }));
        QTcpSocket *stream = receiver.nextPendingConnection();
        WriteInBursts(Bursts(f, messages), [stream](const QByteArray &piece) {
            stream->write(piece);
            stream->flush();
        });
        EXPECT_EQ(Logged(static_cast<int>(Expected(messages, f.carriesBadParity).size())),
                  Expected(messages, f.carriesBadParity));
        input.reset();
        EndSession();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
