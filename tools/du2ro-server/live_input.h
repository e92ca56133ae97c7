#pragma once

#include "feed.h"
#include "source_address.h"

#include <QElapsedTimer>
#include <QObject>

#include <map>
#include <memory>

class QSerialPort;
class QTcpSocket;
class QTimer;

// Reads a receiver live, through a serial device or a TCP stream, into live feeds: one feed per
// GEO the operator named, or one feed for every GEO. A device that fails or a stream that ends
// is opened again a few seconds later. What was read is told on Report at a steady pace.
class LiveInput final : public QObject {
    Q_OBJECT
public:
    struct Routes {
        std::map<int, std::shared_ptr<LiveFeed>> byPrn;
        std::shared_ptr<LiveFeed> all; // set: every GEO goes here
    };

    LiveInput(SourceAddress source, qint32 baud, Routes routes, int reportSeconds, QObject *parent = nullptr);
    ~LiveInput() override;

    void Open();

Q_SIGNALS:
    void Report(const QString &line);

private:
    void Read();
    void Lost(const QString &why);
    void ReportNow();

    SourceAddress source_;
    qint32 baud_;
    Routes routes_;
    std::unique_ptr<FrameReader> reader_;
    QSerialPort *serial_ = nullptr;
    QTcpSocket *tcp_ = nullptr;
    QTimer *retry_;
    QTimer *report_;
    QElapsedTimer interval_;
    // Since the last report.
    std::map<int, int64_t> perGeo_;
    int64_t parityFailures_ = 0;
    int64_t notServed_ = 0;
    ReaderCounts reported_;
};
