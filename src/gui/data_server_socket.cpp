#include "data_server_socket.h"

#include <QTcpSocket>

#include <cerrno>

DataServerSocket::DataServerSocket(QObject *parent) : QObject(parent), socket_(new QTcpSocket(this))
{
    setObjectName("C");
    socket_->setReadBufferSize(kReadBufferSize);
    connect(socket_, &QTcpSocket::connected, this, [this] {
        connected_ = true;
        Q_EMIT Connected();
    });
    connect(socket_, &QTcpSocket::readyRead, this, [this] {
        Q_EMIT ReadyRead();
        errno = 0; // see below: what the next close finds in errno is then the socket's own
    });
    connect(socket_, &QTcpSocket::disconnected, this, &DataServerSocket::OnDisconnected);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::RemoteHostClosedError) {
            Q_EMIT Error(error);
            return;
        }
        // Qt reports a reset by the peer as an orderly close; only the failed read's errno
        // tells them apart. A reset is a lost connection, not a disconnection.
        if (errno == ECONNRESET && connected_) {
            connected_ = false; // no disconnection report follows the error
            Q_EMIT Error(QAbstractSocket::NetworkError);
        }
    });
}

void DataServerSocket::Open(const QString &address, quint16 port)
{
    socket_->abort();
    socket_->connectToHost(address, port);
}

void DataServerSocket::Close()
{
    // A connection still being set up is given up too, and reported like a closed one.
    const bool active = connected_ || socket_->state() != QAbstractSocket::UnconnectedState;
    closing_ = true;
    if (socket_->state() != QAbstractSocket::UnconnectedState) {
        socket_->flush();
        socket_->disconnectFromHost();
        if (socket_->state() != QAbstractSocket::UnconnectedState)
            socket_->abort();
    }
    closing_ = false;
    connected_ = false;
    if (active)
        Q_EMIT Disconnected();
}

void DataServerSocket::OnDisconnected()
{
    if (!connected_ || closing_)
        return;
    connected_ = false;
    Q_EMIT Disconnected();
}

void DataServerSocket::Write(const QByteArray &bytes)
{
    if (connected_ && socket_->state() == QAbstractSocket::ConnectedState) {
        socket_->write(bytes);
        Q_EMIT Written(bytes);
    }
}

QByteArray DataServerSocket::ReadAll()
{
    return socket_->readAll();
}

qint64 DataServerSocket::BytesAvailable() const
{
    return socket_->bytesAvailable();
}

void DataServerSocket::SetReadBufferSize(qint64 bytes)
{
    socket_->setReadBufferSize(bytes);
}
