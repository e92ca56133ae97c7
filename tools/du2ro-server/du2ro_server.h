#pragma once

#include "feed.h"

#include <QHostAddress>
#include <QObject>

#include <list>
#include <memory>
#include <optional>
#include <random>

class QTcpServer;
class QTcpSocket;
class QTimer;

struct ServerOptions {
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 7777;
    double speed = 1.0; // replay pace; 0 replays as fast as the clients take it
    bool loop = false;
    QString user, password; // a required pair; empty accepts any non-empty pair
    std::string trailer = "000"; // three characters after the message digits
    // Fault injection.
    int closeAfterLines = 0; // close a client after this many lines
    bool splitWrites = false; // send each line in two writes, a tick apart
    int malformedEvery = 0;   // every n-th message line with a week that is not a number
    int duplicateEvery = 0;   // every n-th message line sent twice
    QString errorCode;        // "*ERR,code,..." after authorisation
    QString text;             // "*TXT,text" after authorisation
    int pollErrorEvery = 0;   // every n-th poll answered "*ERR,7,..." instead of a message
    bool noAuthReply = false; // AUTH is read and never answered
    bool cutMidLine = false;  // with closeAfterLines: half of one more line, then the close
    // A client further behind the feed than this many messages is dropped (a replay as fast as
    // the clients take it leaves every client its own pace).
    int64_t backlog = 10000;
    // A flood once the stream is asked for (START or the first poll), ahead of it: floodCount
    // lines of its kind, or for Unterminated that many bytes without a line feed, for
    // BigPayload one message line whose PARDO payload is that many bytes.
    enum class Flood { None, Malformed, Errors, Texts, Unterminated, BigPayload };
    Flood flood = Flood::None;
    int64_t floodCount = 0;
};

// The flood kind named on the command line ("malformed", "errors", "texts", "unterminated",
// "big-payload"); no value for another name.
std::optional<ServerOptions::Flood> FloodKind(const QString &name);

// A DU2RO data server serving a feed (a replayed recording, a live receiver) to any number of
// clients.
class Du2roServer final : public QObject {
    Q_OBJECT
public:
    // The recording replayed at the options' speed and loop.
    Du2roServer(Recording recording, ServerOptions options, QObject *parent = nullptr);
    Du2roServer(std::shared_ptr<Feed> feed, ServerOptions options, QObject *parent = nullptr);
    ~Du2roServer() override;

    bool Listen(QString &error);
    quint16 Port() const;
    int ClientCount() const { return static_cast<int>(clients_.size()); }
    // Sends raw text to every client, as it is.
    void SendToAll(const QByteArray &raw);
    // Closes every client connection.
    void DropClients();
    // Resets every client connection (no orderly close: the peer sees a reset).
    void ResetClients();

Q_SIGNALS:
    void Event(const QString &line);
    // Something an operator should see: a client dropped.
    void Warning(const QString &line);

private:
    struct Client {
        QTcpSocket *socket = nullptr;
        QString name;
        QByteArray input;
        bool authorised = false;
        bool streaming = false;
        int pendingPolls = 0;
        bool polled = false;
        int64_t polls = 0;
        int64_t next = 0;      // virtual index of the next message to send
        int64_t messagesSent = 0;
        int linesSent = 0;
        std::list<QByteArray> queued; // second halves of split lines
        int64_t floodLeft = 0;   // lines (or bytes) of the flood still to send
        bool flooded = false;    // the flood has been started for this client
    };

    void Accept();
    void Read(Client &c);
    void Handle(Client &c, const QByteArray &line);
    void HandleAuth(Client &c, const QList<QByteArray> &fields);
    void HandleGetMsg(Client &c, const QList<QByteArray> &fields);
    void SendLine(Client &c, const QByteArray &line);
    void SendMessage(Client &c, const char *keyword, const FeedMessage &m);
    // Where a client stands in the feed: the feed's end, or its own place in a self-paced feed.
    int64_t Position(const Client &c) const;
    void Drop(QTcpSocket *socket, const QString &why);
    void Tick();
    void StartFlood(Client &c);
    void SendFlood(Client &c);
    void Remove(QTcpSocket *socket);

    std::shared_ptr<Feed> feed_;
    ServerOptions options_;
    QTcpServer *server_;
    QTimer *ticker_;
    std::list<Client> clients_;
    std::mt19937 random_{12345};
};
