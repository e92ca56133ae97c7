#include "live_input.h"

#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr int kRetryMs = 5000;
constexpr qint64 kReadPiece = 64 * 1024;
} // namespace

LiveInput::LiveInput(SourceAddress source, qint32 baud, Routes routes, int reportSeconds, QObject *parent)
    : QObject(parent), source_(std::move(source)), baud_(baud), routes_(std::move(routes)),
      reader_(MakeReader(source_.format)), retry_(new QTimer(this)), report_(new QTimer(this))
{
    retry_->setSingleShot(true);
    connect(retry_, &QTimer::timeout, this, &LiveInput::Open);
    connect(report_, &QTimer::timeout, this, &LiveInput::ReportNow);
    if (reportSeconds > 0)
        report_->start(reportSeconds * 1000);
    interval_.start();
}

LiveInput::~LiveInput() = default;

void LiveInput::Open()
{
    if (source_.transport == SourceAddress::Transport::Tcp) {
        if (!tcp_) {
            tcp_ = new QTcpSocket(this);
            connect(tcp_, &QTcpSocket::readyRead, this, &LiveInput::Read);
            connect(tcp_, &QTcpSocket::connected, this,
                    [this] { Q_EMIT Report("tcp://" + source_.where + ": connected"); });
            connect(tcp_, &QTcpSocket::disconnected, this, [this] { Lost("the stream ended"); });
            connect(tcp_, &QTcpSocket::errorOccurred, this, [this] {
                if (tcp_->state() != QAbstractSocket::ConnectedState)
                    Lost(tcp_->errorString());
            });
        }
        tcp_->connectToHost(source_.host, source_.port);
        return;
    }
    if (!serial_) {
        serial_ = new QSerialPort(this);
        connect(serial_, &QSerialPort::readyRead, this, &LiveInput::Read);
        connect(serial_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
            if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError && serial_->isOpen())
                Lost(serial_->errorString());
        });
    }
    serial_->setPortName(source_.where);
    serial_->setBaudRate(baud_);
    if (!serial_->open(QIODevice::ReadOnly)) {
        Lost(serial_->errorString());
        return;
    }
    Q_EMIT Report(source_.where + ": open at " + QString::number(baud_) + " baud");
}

void LiveInput::Lost(const QString &why)
{
    if (retry_->isActive())
        return;
    Q_EMIT Report(source_.where + ": " + why + "; trying again in " + QString::number(kRetryMs / 1000) + " s");
    if (serial_ && serial_->isOpen())
        serial_->close();
    if (tcp_)
        tcp_->abort();
    retry_->start(kRetryMs);
}

void LiveInput::Read()
{
    QIODevice *device = tcp_ ? static_cast<QIODevice *>(tcp_) : serial_;
    std::vector<SbasMessage> messages;
    while (device->bytesAvailable() > 0) {
        const QByteArray bytes = device->read(kReadPiece);
        if (bytes.isEmpty())
            break;
        reader_->Feed(reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<std::size_t>(bytes.size()),
                      messages);
    }
    for (const SbasMessage &m : messages) {
        ++perGeo_[m.prn];
        parityFailures_ += !m.ParityHolds();
        if (routes_.all) {
            routes_.all->Append(m);
        } else if (const auto it = routes_.byPrn.find(m.prn); it != routes_.byPrn.end()) {
            it->second->Append(m);
        } else {
            ++notServed_;
        }
    }
}

void LiveInput::ReportNow()
{
    const double seconds = std::max(interval_.restart() / 1000.0, 0.001);
    QStringList geos;
    for (const auto &[prn, n] : perGeo_)
        geos << QString("PRN %1 %2/s").arg(prn).arg(n / seconds, 0, 'f', 1);
    const ReaderCounts &now = reader_->Counts();
    ReaderCounts d;
    d.checksumFailures = now.checksumFailures - reported_.checksumFailures;
    d.otherFrames = now.otherFrames - reported_.otherFrames;
    d.badFrames = now.badFrames - reported_.badFrames;
    d.untimed = now.untimed - reported_.untimed;
    d.skippedBytes = now.skippedBytes - reported_.skippedBytes;
    QString line = QString("%1: last %2 s: %3; %4 with failed parity, %5 checksum failures, %6 other frames, "
                           "%7 unreadable, %8 untimed, %9 bytes skipped")
                       .arg(source_.where)
                       .arg(seconds, 0, 'f', 0)
                       .arg(geos.isEmpty() ? QString("no SBAS message") : geos.join(", "))
                       .arg(parityFailures_)
                       .arg(d.checksumFailures)
                       .arg(d.otherFrames)
                       .arg(d.badFrames)
                       .arg(d.untimed)
                       .arg(d.skippedBytes);
    if (notServed_ > 0)
        line += QString(", %1 of GEOs not served").arg(notServed_);
    Q_EMIT Report(line);
    reported_ = now;
    perGeo_.clear();
    parityFailures_ = 0;
    notServed_ = 0;
}
