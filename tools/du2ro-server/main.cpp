// du2ro-server: a DU2RO data server replaying a message recording.
#include "du2ro_server.h"
#include "install_dirs.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <iostream>
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("du2ro-server");
    QCommandLineParser parser;
    parser.setApplicationDescription("DU2RO data server replaying a recording in the message-log record format.");
    parser.addHelpOption();
    const QCommandLineOption recording("recording", "Recording to replay.", "file", DefaultRecording());
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
    parser.addOptions({recording, address, port, speed, loop, user, password, closeAfter, split, malformed, duplicate,
                       error, text, pollError, noAuth, cut, flood, floodCount});
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

    std::string why;
    auto replay = Recording::Load(parser.value(recording).toStdString(), why);
    if (!replay) {
        std::cerr << why << "\n";
        return 1;
    }
    if (replay->Skipped() > 0)
        std::cout << "skipped " << replay->Skipped() << " lines that are not message records" << std::endl;

    Du2roServer server(std::move(*replay), o);
    QObject::connect(&server, &Du2roServer::Event, [](const QString &line) { std::cout << line.toStdString() << std::endl; });
    QString listenError;
    if (!server.Listen(listenError)) {
        std::cerr << "cannot listen: " << listenError.toStdString() << "\n";
        return 1;
    }

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
