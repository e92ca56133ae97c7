// du2ro-server: a DU2RO data server replaying a message recording, or serving the SBAS
// messages of a GNSS receiver (live through a serial device or a TCP stream, or from its file).
#include "du2ro_server.h"
#include "install_dirs.h"
#include "live_input.h"
#include "source_address.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <iostream>
#include <map>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2];

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

// The demo recording: the source tree's in a build tree, else the one installed beside the program.
QString DefaultRecording()
{
    if (QFileInfo::exists(VELMAR_DEFAULT_RECORDING))
        return VELMAR_DEFAULT_RECORDING;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" VELMAR_INSTALL_ROOT_FROM_BINDIR "/" VELMAR_INSTALL_DATADIR
                           "/demo-recording.txt");
}

// "PRN=PORT" pairs of --geo.
bool ParseGeos(const QStringList &values, std::map<int, quint16> &geos)
{
    for (const QString &v : values) {
        const QStringList parts = v.split('=');
        bool prnOk = false, portOk = false;
        const int prn = parts.value(0).toInt(&prnOk);
        const uint port = parts.value(1).toUInt(&portOk);
        if (parts.size() != 2 || !prnOk || !portOk || prn < 120 || prn > 158 || port > 65535 || geos.count(prn))
            return false;
        geos[prn] = static_cast<quint16>(port);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("du2ro-server");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "DU2RO data server replaying a recording in the message-log record format, or serving the SBAS messages of a\n"
        "GNSS receiver: --source ubx|sbf|novatel|text:FILE|DEVICE|tcp://HOST:PORT.");
    parser.addHelpOption();
    const QCommandLineOption recording("recording", "Recording to replay (the same as --source text:FILE).", "file",
                                       DefaultRecording());
    const QCommandLineOption sourceOption("source", "Messages from a receiver's output: KIND:WHERE, KIND one of ubx, sbf, "
                                              "novatel, text; WHERE a file, a serial device or tcp://host:port.",
                                    "kind:where");
    const QCommandLineOption geo("geo", "Serve this GEO on its own port (repeatable); without it every GEO is "
                                        "served on --port.", "prn=port");
    const QCommandLineOption baud("baud", "Baud rate of a serial source.", "rate", "115200");
    const QCommandLineOption backlog("backlog", "Drop a client more than this many messages behind.", "n", "10000");
    const QCommandLineOption reportEvery("report-every", "Seconds between the reports on what a live source "
                                                         "delivers (0: none).", "s", "10");
    const QCommandLineOption address("address", "Address to listen on.", "ip", "127.0.0.1");
    const QCommandLineOption port("port", "Port to listen on.", "port", "7777");
    const QCommandLineOption speed("speed", "Replay speed factor, or 'max' for as fast as possible.", "x", "1");
    const QCommandLineOption loop("loop", "Start the recording again at its end.");
    const QCommandLineOption user("user", "Required user name (default: any).", "name");
    const QCommandLineOption password("password", "Required password.", "word");
    const QCommandLineOption closeAfter("close-after", "Close each client after n lines.", "n", "0");
    const QCommandLineOption split("split-writes", "Send every line in two writes.");
    const QCommandLineOption malformed("malformed-every", "Spoil every n-th message line.", "n", "0");
    const QCommandLineOption duplicate("duplicate-every", "Send every n-th message line twice.", "n", "0");
    const QCommandLineOption error("error", "Send an error reply with this code after authorisation.", "code");
    const QCommandLineOption text("text", "Send a text reply after authorisation.", "text");
    const QCommandLineOption pollError("poll-error-every", "Answer every n-th poll with error 7.", "n", "0");
    const QCommandLineOption noAuth("no-auth-reply", "Never answer AUTH.");
    const QCommandLineOption cut("cut-mid-line", "With --close-after: send half of one more line before closing.");
    const QCommandLineOption flood("flood", "Once the stream is asked for, send a flood: malformed, errors, texts, "
                                            "unterminated (bytes without a line feed) or big-payload.", "kind");
    const QCommandLineOption floodCount("flood-count", "Lines of the flood (bytes for unterminated and big-payload).",
                                        "n", "100000");
    parser.addOptions({recording, sourceOption, geo, baud, backlog, reportEvery, address, port, speed, loop, user, password,
                       closeAfter, split, malformed, duplicate, error, text, pollError, noAuth, cut, flood, floodCount});
    parser.process(app);

    ServerOptions o;
    const bool addressOk = o.address.setAddress(parser.value(address));
    bool ok = false;
    const uint p = parser.value(port).toUInt(&ok);
    if (!addressOk || !ok || p > 65535) {
        std::cerr << "invalid --address or --port\n";
        return 2;
    }
    o.port = static_cast<quint16>(p);
    o.speed = parser.value(speed) == "max" ? 0 : parser.value(speed).toDouble(&ok);
    if (!ok || o.speed < 0) {
        std::cerr << "invalid --speed\n";
        return 2;
    }
    o.loop = parser.isSet(loop);
    o.user = parser.value(user);
    o.password = parser.value(password);
    o.closeAfterLines = parser.value(closeAfter).toInt();
    o.splitWrites = parser.isSet(split);
    o.malformedEvery = parser.value(malformed).toInt();
    o.duplicateEvery = parser.value(duplicate).toInt();
    o.errorCode = parser.value(error);
    o.text = parser.value(text);
    o.pollErrorEvery = parser.value(pollError).toInt();
    o.noAuthReply = parser.isSet(noAuth);
    o.cutMidLine = parser.isSet(cut);
    if (parser.isSet(flood)) {
        const auto kind = FloodKind(parser.value(flood));
        o.floodCount = parser.value(floodCount).toLongLong(&ok);
        if (!kind || !ok || o.floodCount < 0) {
            std::cerr << "invalid --flood or --flood-count\n";
            return 2;
        }
        o.flood = *kind;
    }

    bool backlogOk = false, reportOk = false, baudOk = false;
    o.backlog = parser.value(backlog).toLongLong(&backlogOk);
    const int reportSeconds = parser.value(reportEvery).toInt(&reportOk);
    const qint32 baudRate = parser.value(baud).toInt(&baudOk);
    if (!backlogOk || !reportOk || !baudOk || o.backlog < 1 || reportSeconds < 0 || baudRate <= 0) {
        std::cerr << "invalid --backlog, --report-every or --baud\n";
        return 2;
    }
    std::map<int, quint16> geos;
    if (!ParseGeos(parser.values(geo), geos)) {
        std::cerr << "invalid --geo: PRN=PORT, PRN 120 to 158, each PRN once\n";
        return 2;
    }
    if (parser.isSet(sourceOption) && parser.isSet(recording)) {
        std::cerr << "--source and --recording name two sources: give one\n";
        return 2;
    }
    QString addressError;
    const auto source = ParseSourceAddress(parser.isSet(sourceOption) ? parser.value(sourceOption) : "text:" + parser.value(recording),
                                      addressError);
    if (!source) {
        std::cerr << addressError.toStdString() << "\n";
        return 2;
    }

    // One feed per listening port: every GEO on --port, or each GEO of --geo on its own.
    std::map<int, std::shared_ptr<Feed>> feeds; // by PRN, 0 for all
    std::unique_ptr<LiveInput> live;
    if (source->transport == SourceAddress::Transport::File) {
        QString why;
        const auto read = ReadSourceFile(*source, why);
        if (!read) {
            std::cerr << why.toStdString() << "\n";
            return 1;
        }
        std::map<int, int> perGeo;
        for (const SbasMessage &m : read->messages)
            ++perGeo[m.prn];
        QStringList found;
        for (const auto &[prn, n] : perGeo)
            found << QString("PRN %1: %2").arg(prn).arg(n);
        std::cerr << "read " << source->where.toStdString() << ": " << DescribeCounts(read->counts).toStdString() << "; "
                  << found.join(", ").toStdString() << std::endl;
        if (geos.empty()) {
            feeds[0] = std::make_shared<ReplayFeed>(Recording::FromMessages(read->messages), o.speed, o.loop);
        } else {
            auto byGeo = Recording::ByGeo(read->messages);
            for (const auto &[prn, geoPort] : geos) {
                if (!byGeo.count(prn))
                    std::cerr << "PRN " << prn << " has no message in " << source->where.toStdString()
                              << ": its port answers every request with error 7" << std::endl;
                feeds[prn] = std::make_shared<ReplayFeed>(std::move(byGeo[prn]), o.speed, o.loop);
            }
        }
    } else {
        LiveInput::Routes routes;
        const auto capacity = static_cast<std::size_t>(o.backlog);
        if (geos.empty()) {
            routes.all = std::make_shared<LiveFeed>(capacity);
            feeds[0] = routes.all;
        } else {
            for (const auto &[prn, geoPort] : geos) {
                routes.byPrn[prn] = std::make_shared<LiveFeed>(capacity);
                feeds[prn] = routes.byPrn[prn];
            }
        }
        live = std::make_unique<LiveInput>(*source, baudRate, routes, reportSeconds);
        QObject::connect(live.get(), &LiveInput::Report,
                         [](const QString &line) { std::cerr << line.toStdString() << std::endl; });
    }

    std::vector<std::unique_ptr<Du2roServer>> servers;
    for (const auto &[prn, feed] : feeds) {
        ServerOptions geoOptions = o;
        if (prn != 0)
            geoOptions.port = geos.at(prn);
        servers.push_back(std::make_unique<Du2roServer>(feed, geoOptions));
        const QString prefix = prn != 0 ? QString("PRN %1: ").arg(prn) : QString();
        QObject::connect(servers.back().get(), &Du2roServer::Event,
                         [prefix](const QString &line) { std::cout << (prefix + line).toStdString() << std::endl; });
        QObject::connect(servers.back().get(), &Du2roServer::Warning,
                         [prefix](const QString &line) { std::cerr << (prefix + line).toStdString() << std::endl; });
        QString listenError;
        if (!servers.back()->Listen(listenError)) {
            std::cerr << "cannot listen: " << (prefix + listenError).toStdString() << "\n";
            return 1;
        }
    }
    if (live)
        live->Open();

    // Signals end the event loop from the loop itself.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return 1;
    QSocketNotifier notifier(signalPipe[1], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [] {
        std::cout << "stopping" << std::endl;
        QCoreApplication::quit();
    });
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    return app.exec();
}
