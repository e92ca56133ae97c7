#pragma once

#include <QAbstractSocket>
#include <QObject>

class QTcpSocket;

// The client socket as the session expects it: a write while not connected is dropped,
// Close() reports the disconnection before it returns, a connection reports exactly one
// disconnection, and a close by the server is a disconnection, not an error.
class DataServerSocket final : public QObject {
    Q_OBJECT
public:
    explicit DataServerSocket(QObject *parent = nullptr);

    void Open(const QString &address, quint16 port);
    void Close();
    void Write(const QByteArray &bytes);
    QByteArray ReadAll();
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
