#include "source_address.h"

#include <QFile>

#include <sys/stat.h>

std::optional<SourceAddress> ParseSourceAddress(const QString &text, QString &error)
{
    const int colon = text.indexOf(':');
    const auto format = colon > 0 ? SourceFormatNamed(text.left(colon).toStdString()) : std::nullopt;
    if (!format) {
        error = "--source needs KIND:WHERE with KIND one of ubx, sbf, novatel, text";
        return std::nullopt;
    }
    SourceAddress source;
    source.format = *format;
    source.where = text.mid(colon + 1);
    if (source.where.startsWith("tcp://")) {
        const QString address = source.where.mid(6);
        const int at = address.lastIndexOf(':');
        bool ok = false;
        const uint port = at > 0 ? address.mid(at + 1).toUInt(&ok) : 0;
        if (!ok || port == 0 || port > 65535) {
            error = "--source tcp:// needs host:port";
            return std::nullopt;
        }
        source.transport = SourceAddress::Transport::Tcp;
        source.host = address.left(at);
        source.port = static_cast<quint16>(port);
        source.where = address;
        return source;
    }
    if (source.where.isEmpty()) {
        error = "--source needs a file, a serial device or tcp://host:port after the kind";
        return std::nullopt;
    }
    struct stat st {};
    if (::stat(QFile::encodeName(source.where).constData(), &st) == 0 && S_ISCHR(st.st_mode))
        source.transport = SourceAddress::Transport::Serial;
    return source;
}

std::optional<FileRead> ReadSourceFile(const SourceAddress &source, QString &error)
{
    QFile file(source.where);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot open " + source.where + ": " + file.errorString();
        return std::nullopt;
    }
    auto reader = MakeReader(source.format);
    FileRead read;
    constexpr qint64 kChunk = 1 << 20;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty())
            break;
        reader->Feed(reinterpret_cast<const uint8_t *>(chunk.constData()), static_cast<std::size_t>(chunk.size()),
                     read.messages);
    }
    reader->Finish(read.messages);
    read.counts = reader->Counts();
    if (read.messages.empty()) {
        error = source.where + " holds no SBAS message in the " + QString::fromStdString(SourceFormatName(source.format)) +
                " format (" + DescribeCounts(read.counts) + ")";
        return std::nullopt;
    }
    return read;
}

QString DescribeCounts(const ReaderCounts &c)
{
    return QString("%1 messages, %2 checksum failures, %3 other frames, %4 unreadable frames, %5 untimed, "
                   "%6 bytes skipped")
        .arg(c.messages)
        .arg(c.checksumFailures)
        .arg(c.otherFrames)
        .arg(c.badFrames)
        .arg(c.untimed)
        .arg(c.skippedBytes);
}
