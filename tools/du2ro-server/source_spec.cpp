#include "source_spec.h"

#include <QFile>

#include <sys/stat.h>

std::optional<SourceSpec> ParseSourceSpec(const QString &text, QString &error)
{
    const int colon = text.indexOf(':');
    const auto format = colon > 0 ? SourceFormatNamed(text.left(colon).toStdString()) : std::nullopt;
    if (!format) {
        error = "--source needs KIND:WHERE with KIND one of ubx, sbf, novatel, text";
        return std::nullopt;
    }
    SourceSpec spec;
    spec.format = *format;
    spec.where = text.mid(colon + 1);
    if (spec.where.startsWith("tcp://")) {
        const QString address = spec.where.mid(6);
        const int at = address.lastIndexOf(':');
        bool ok = false;
        const uint port = at > 0 ? address.mid(at + 1).toUInt(&ok) : 0;
        if (!ok || port == 0 || port > 65535) {
            error = "--source tcp:// needs host:port";
            return std::nullopt;
        }
        spec.transport = SourceSpec::Transport::Tcp;
        spec.host = address.left(at);
        spec.port = static_cast<quint16>(port);
        spec.where = address;
        return spec;
    }
    if (spec.where.isEmpty()) {
        error = "--source needs a file, a serial device or tcp://host:port after the kind";
        return std::nullopt;
    }
    struct stat st {};
    if (::stat(QFile::encodeName(spec.where).constData(), &st) == 0 && S_ISCHR(st.st_mode))
        spec.transport = SourceSpec::Transport::Serial;
    return spec;
}

std::optional<FileRead> ReadSourceFile(const SourceSpec &spec, QString &error)
{
    QFile file(spec.where);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot open " + spec.where + ": " + file.errorString();
        return std::nullopt;
    }
    auto reader = MakeReader(spec.format);
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
        error = spec.where + " holds no SBAS message in the " + QString::fromStdString(SourceFormatName(spec.format)) +
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
