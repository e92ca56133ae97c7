#pragma once

#include <QAbstractSocket>
#include <QObject>

class QTcpSocket;

// The client socket as the session expects it: a write while not connected is dropped,
// Close() reports the disconnection before it returns, a connection reports exactly one
// disconnection, and a close by the server is a disconnection, not an error. What it holds of
// the received text is bounded: once that is full and not read, TCP holds the server back.
class DataServerSocket final : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kReadBufferSize = qint64{256} * 1024;

    explicit DataServerSocket(QObject *parent = nullptr);

    void Open(const QString &address, quint16 port);
    void Close();
    void Write(const QByteArray &bytes);
    // What the socket holds; after a disconnection, what it still held then.
    QByteArray ReadAll();
    qint64 BytesAvailable() const;
    void SetReadBufferSize(qint64 bytes);
    bool IsConnected() const { return connected_; }

Q_SIGNALS:
    void Connected();
    void ReadyRead();
    void Disconnected();
    void Error(QAbstractSocket::SocketError error);
    void Written(const QByteArray &bytes); // each write handed to a connected socket

private:
    void OnDisconnected();

    QTcpSocket *socket_;
    bool connected_ = false;
    bool closing_ = false;
};
