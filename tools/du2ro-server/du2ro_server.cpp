#include "du2ro_server.h"

#include "codec/pardo.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cmath>
#include <sys/socket.h>
#include <limits>

namespace {

constexpr int kTickMs = 20;
constexpr int kMaxLine = 4096;               // a client line longer than this ends the client
constexpr qint64 kMaxBuffered = qint64{256} * 1024; // back-pressure on slow clients
constexpr int kLinesPerTick = 500;
constexpr int kMaxPendingPolls = 1000;

QByteArray Number(double v)
{
    return v == std::floor(v) ? QByteArray::number(static_cast<qint64>(v)) : QByteArray::number(v, 'f', 3);
}

} // namespace

std::optional<ServerOptions::Flood> FloodKind(const QString &name)
{
    using F = ServerOptions::Flood;
    const std::pair<const char *, F> kinds[] = {{"malformed", F::Malformed},       {"errors", F::Errors},
                                                {"texts", F::Texts},               {"unterminated", F::Unterminated},
                                                {"big-payload", F::BigPayload}};
    for (const auto &[text, kind] : kinds)
        if (name == text)
            return kind;
    return std::nullopt;
}

Du2roServer::Du2roServer(Recording recording, ServerOptions options, QObject *parent)
    : Du2roServer(std::make_shared<ReplayFeed>(std::move(recording), options.speed, options.loop), options, parent)
{
}

Du2roServer::Du2roServer(std::shared_ptr<Feed> feed, ServerOptions options, QObject *parent)
    : QObject(parent), feed_(std::move(feed)), options_(std::move(options)), server_(new QTcpServer(this)),
      ticker_(new QTimer(this))
{
    connect(server_, &QTcpServer::newConnection, this, &Du2roServer::Accept);
    connect(ticker_, &QTimer::timeout, this, &Du2roServer::Tick);
}

Du2roServer::~Du2roServer()
{
    for (auto &c : clients_)
        c.socket->disconnect(this);
}

bool Du2roServer::Listen(QString &error)
{
    if (!server_->listen(options_.address, options_.port)) {
        error = server_->errorString();
        return false;
    }
    feed_->Start();
    ticker_->start(kTickMs);
    Q_EMIT Event(QString("listening on %1:%2, %3").arg(options_.address.toString()).arg(Port()).arg(feed_->Describe()));
    return true;
}

quint16 Du2roServer::Port() const
{
    return server_->serverPort();
}

int64_t Du2roServer::Position(const Client &c) const
{
    return feed_->SelfPaced() ? c.next : feed_->End();
}

void Du2roServer::Accept()
{
    while (QTcpSocket *socket = server_->nextPendingConnection()) {
        Client c;
        c.socket = socket;
        c.name = QString("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        clients_.push_back(c);
        Client &added = clients_.back();
        connect(socket, &QTcpSocket::readyRead, this, [this, &added] { Read(added); });
        // Removed from the event loop, never while a handler is still using the client.
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Remove(socket); }, Qt::QueuedConnection);
        Q_EMIT Event("client " + added.name + " connected");
    }
}

void Du2roServer::Remove(QTcpSocket *socket)
{
    for (auto it = clients_.begin(); it != clients_.end(); ++it) {
        if (it->socket == socket) {
            Q_EMIT Event("client " + it->name + " disconnected");
            socket->disconnect(this);
            clients_.erase(it);
            socket->deleteLater();
            return;
        }
    }
}

void Du2roServer::DropClients()
{
    std::vector<QTcpSocket *> sockets;
    for (auto &c : clients_)
        sockets.push_back(c.socket);
    for (QTcpSocket *s : sockets)
        s->disconnectFromHost();
}

void Du2roServer::ResetClients()
{
    std::vector<QTcpSocket *> sockets;
    for (auto &c : clients_)
        sockets.push_back(c.socket);
    for (QTcpSocket *s : sockets) {
        // A zero linger time makes the close send a reset instead of a FIN.
        const linger abortive{1, 0};
        ::setsockopt(static_cast<int>(s->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        s->abort();
    }
}

void Du2roServer::SendToAll(const QByteArray &raw)
{
    for (auto &c : clients_)
        c.socket->write(raw);
}

void Du2roServer::Read(Client &c)
{
    c.input += c.socket->readAll();
    int p;
    while ((p = c.input.indexOf('\n')) >= 0) {
        QByteArray line = c.input.left(p);
        c.input.remove(0, p + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        QTcpSocket *socket = c.socket;
        Handle(c, line);
        if (socket->state() != QAbstractSocket::ConnectedState)
            return; // closed while handling: the client record may be gone
    }
    if (c.input.size() > kMaxLine) {
        Q_EMIT Event("client " + c.name + " sent an over-long line: closing");
        c.socket->write("*ERR,6,Line too long\r\n");
        c.socket->disconnectFromHost();
    }
}

void Du2roServer::Handle(Client &c, const QByteArray &line)
{
    const QList<QByteArray> fields = line.split(',');
    const QByteArray command = fields.value(0).trimmed().toUpper();
    if (command.isEmpty())
        return;
    if (command == "AUTH") {
        if (options_.noAuthReply) {
            Q_EMIT Event("client " + c.name + ": AUTH left unanswered");
            return;
        }
        HandleAuth(c, fields);
        return;
    }
    if (!c.authorised) {
        SendLine(c, "*ERR,2,Not authorised");
        return;
    }
    if (command == "GETMSG") {
        HandleGetMsg(c, fields);
    } else if (command == "START") {
        Q_EMIT Event("client " + c.name + " START");
        c.streaming = true;
        c.next = feed_->SelfPaced() ? 0 : feed_->End();
        StartFlood(c);
    } else if (command == "STOP") {
        Q_EMIT Event("client " + c.name + " STOP");
        c.streaming = false;
    } else if (command == "MSG") {
        c.polled = true;
        StartFlood(c);
        if (options_.pollErrorEvery > 0 && ++c.polls % options_.pollErrorEvery == 0)
            SendLine(c, "*ERR,7,No new message");
        else
            c.pendingPolls = std::min(c.pendingPolls + 1, kMaxPendingPolls);
    } else {
        SendLine(c, "*ERR,4,Unknown command " + command.left(20));
    }
}

void Du2roServer::HandleAuth(Client &c, const QList<QByteArray> &fields)
{
    const QString user = QString::fromUtf8(fields.value(1));
    const QString password = QString::fromUtf8(fields.value(2));
    const bool ok = fields.size() == 3 && !user.isEmpty() && !password.isEmpty() &&
                    (options_.user.isEmpty() || (user == options_.user && password == options_.password));
    if (!ok) {
        Q_EMIT Event("client " + c.name + " refused as '" + user + "'");
        SendLine(c, "*ERR,1,Authorisation refused");
        return;
    }
    c.authorised = true;
    c.next = feed_->SelfPaced() ? 0 : feed_->End();
    Q_EMIT Event("client " + c.name + " authorised as '" + user + "'");
    SendLine(c, "*AUTH");
    if (!options_.text.isEmpty())
        SendLine(c, "*TXT," + options_.text.toUtf8());
    if (!options_.errorCode.isEmpty())
        SendLine(c, "*ERR," + options_.errorCode.toUtf8() + ",Injected error");
}

void Du2roServer::StartFlood(Client &c)
{
    if (options_.flood == ServerOptions::Flood::None || c.flooded)
        return;
    c.flooded = true;
    c.floodLeft = options_.flood == ServerOptions::Flood::BigPayload ? 1 : options_.floodCount;
}

// Writes the flood in pieces while the client takes them, so that the server's own buffer
// stays small whatever its size.
void Du2roServer::SendFlood(Client &c)
{
    using F = ServerOptions::Flood;
    constexpr int64_t kUnterminatedPiece = int64_t{64} * 1024;
    while (c.floodLeft > 0 && c.socket->bytesToWrite() < kMaxBuffered) {
        switch (options_.flood) {
        case F::Malformed: {
            static const char *const kinds[] = {"*MSG,W2443,1000,53", "*MSG,,", "garbage", "*MSG,2443,1000,|/FF"};
            c.socket->write(QByteArray(kinds[c.floodLeft % 4]) + "\r\n");
            --c.floodLeft;
            break;
        }
        case F::Errors:
            c.socket->write("*ERR,3,Flood error " + QByteArray::number(c.floodLeft--) + "\r\n");
            break;
        case F::Texts:
            c.socket->write("*TXT,Flood text " + QByteArray::number(c.floodLeft--) + "\r\n");
            break;
        case F::Unterminated: {
            const int64_t n = std::min(c.floodLeft, kUnterminatedPiece);
            c.socket->write(QByteArray(static_cast<int>(n), 'A'));
            c.floodLeft -= n;
            break;
        }
        case F::BigPayload: {
            QByteArray line = "*MSG,2443,1000,";
            for (int64_t i = 0; i < options_.floodCount; ++i)
                line += "0123456789ABCDEF"[i % 16];
            c.socket->write(line + "\r\n");
            c.floodLeft = 0;
            break;
        }
        case F::None:
            c.floodLeft = 0;
            break;
        }
    }
    if (c.floodLeft == 0)
        Q_EMIT Event("client " + c.name + ": flood sent");
}

void Du2roServer::HandleGetMsg(Client &c, const QList<QByteArray> &fields)
{
    bool ok = false;
    const int type = fields.value(1).toInt(&ok);
    if (!ok || type < 0 || type > 63) {
        SendLine(c, "*ERR,5,Bad request");
        return;
    }
    // The latest message of the type at the client's place: at the start of a replay none.
    const auto latest = feed_->LatestOfType(type, Position(c));
    if (!latest) {
        SendLine(c, "*ERR,7,No message of type " + QByteArray::number(type));
        return;
    }
    SendMessage(c, "*GETMSG", *latest);
}

void Du2roServer::SendMessage(Client &c, const char *keyword, const FeedMessage &m)
{
    TPARDO pardo;
    pardo.Data = *m.hex + options_.trailer;
    pardo.Compress();
    ++c.messagesSent;
    QByteArray week = QByteArray::number(m.week);
    if (options_.malformedEvery > 0 && c.messagesSent % options_.malformedEvery == 0)
        week = "W" + week;
    const QByteArray line = QByteArray(keyword) + "," + week + "," + Number(m.tow) + "," +
                            QByteArray::fromStdString(pardo.Data);
    SendLine(c, line);
    if (options_.duplicateEvery > 0 && c.messagesSent % options_.duplicateEvery == 0)
        SendLine(c, line);
}

void Du2roServer::SendLine(Client &c, const QByteArray &line)
{
    if (c.socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (options_.closeAfterLines > 0 && c.linesSent >= options_.closeAfterLines)
        return;
    const QByteArray bytes = line + "\r\n";
    if (options_.cutMidLine && options_.closeAfterLines > 0 && c.linesSent + 1 >= options_.closeAfterLines) {
        c.socket->write(line + "\r\n");
        c.socket->write(line.left(line.size() / 2)); // the line after, torn off
        Q_EMIT Event("client " + c.name + ": closing in the middle of a line");
        ++c.linesSent;
        c.socket->disconnectFromHost();
        return;
    }
    if (options_.splitWrites && bytes.size() > 1) {
        const int cut = 1 + static_cast<int>(random_() % static_cast<unsigned>(bytes.size() - 1));
        c.queued.push_back(bytes.left(cut));
        c.queued.push_back(bytes.mid(cut));
    } else if (!c.queued.empty()) {
        c.queued.push_back(bytes); // keep the order behind queued halves
    } else {
        c.socket->write(bytes);
    }
    if (options_.closeAfterLines > 0 && ++c.linesSent >= options_.closeAfterLines && c.queued.empty()) {
        Q_EMIT Event("client " + c.name + ": closing after " + QByteArray::number(c.linesSent) + " lines");
        c.socket->disconnectFromHost();
    }
}

void Du2roServer::Tick()
{
    const int64_t end = feed_->End();
    const int64_t begin = feed_->Begin();
    std::vector<QTcpSocket *> toClose;
    std::vector<std::pair<QTcpSocket *, QString>> toDrop;
    for (auto &c : clients_) {
        if (!c.queued.empty()) {
            c.socket->write(c.queued.front()); // one piece per tick: the halves arrive apart
            c.queued.pop_front();
            if (c.queued.empty() && options_.closeAfterLines > 0 && c.linesSent >= options_.closeAfterLines)
                toClose.push_back(c.socket);
            continue;
        }
        if (!c.authorised)
            continue;
        if (c.floodLeft > 0) {
            SendFlood(c);
            continue; // the stream goes on behind the flood
        }
        const bool fed = c.streaming || c.polled; // before that a START moves the client to the end
        if (fed && !feed_->SelfPaced() && (c.next < begin || end - c.next > options_.backlog)) {
            toDrop.emplace_back(c.socket, QString("%1 messages behind").arg(end - c.next));
            continue;
        }
        // At full speed only the client's reading holds the stream back (the buffered limit).
        int budget = feed_->SelfPaced() ? std::numeric_limits<int>::max() : kLinesPerTick;
        while (c.next < end && budget-- > 0 && c.socket->bytesToWrite() < kMaxBuffered && c.queued.empty()) {
            if (c.streaming) {
                SendMessage(c, "*MSG", feed_->At(c.next++));
            } else if (c.pendingPolls > 0) {
                --c.pendingPolls;
                SendMessage(c, "*MSG", feed_->At(c.next++));
            } else {
                break;
            }
            if (c.socket->state() != QAbstractSocket::ConnectedState)
                break;
        }
    }
    for (QTcpSocket *s : toClose)
        s->disconnectFromHost();
    for (const auto &[socket, why] : toDrop)
        Drop(socket, why);
}

// A client that does not keep up: its connection is reset and forgotten at once, so that
// nothing more is held for it.
void Du2roServer::Drop(QTcpSocket *socket, const QString &why)
{
    for (auto it = clients_.begin(); it != clients_.end(); ++it) {
        if (it->socket != socket)
            continue;
        Q_EMIT Warning(QString("client %1 dropped: %2, more than the backlog of %3")
                           .arg(it->name, why)
                           .arg(options_.backlog));
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        clients_.erase(it);
        return;
    }
}
