#pragma once

#include "frame_reader.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

// Where the server's messages come from: "KIND:WHERE", KIND one of ubx, sbf, novatel, text and
// WHERE a file, a serial device or "tcp://host:port".
struct SourceAddress {
    enum class Transport { File, Serial, Tcp };
    SourceFormat format = SourceFormat::Text;
    Transport transport = Transport::File;
    QString where; // the path, the device or "host:port"
    QString host;
    quint16 port = 0;
};

// No value and a reason for a source that names no known kind or a bad address.
std::optional<SourceAddress> ParseSourceAddress(const QString &text, QString &error);

// What reading a whole file found, for the operator.
struct FileRead {
    std::vector<SbasMessage> messages;
    ReaderCounts counts;
};
std::optional<FileRead> ReadSourceFile(const SourceAddress &source, QString &error);

// One line on what a reader met: "N messages; PRN 120: n, ...; ... checksum failures, ..."
QString DescribeCounts(const ReaderCounts &counts);
