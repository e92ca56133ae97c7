#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A userapp.cfg as the settings dialog saves it, for a client of a replay server on this
// machine: the tests, the benchmarks and the help documents' screenshots start from it. Spelt
// out as a user's file is, not made from the application's key table, so that a client
// started from it also shows that the table still reads such a file.
struct ClientConfig {
    quint16 serverPort = 7777;
    QByteArray requestMethod = "Subscribe"; // or "Poll"
    QByteArray geo1 = ";;;;";               // the first GEO row: "PRN;name;system;port;"

    QByteArray Text() const
    {
        return "IPServer\r\n127.0.0.1\r\nPortClient\r\n6666\r\nPortServer\r\n" + QByteArray::number(serverPort) +
               "\r\nMessageRequestMethod\r\n" + requestMethod +
               "\r\nVelmarGpsDir\r\nc:\\\r\nESPDir\r\n\r\nNoSISMargin\r\n60\r\nBufLen\r\n15\r\nBufPer\r\n10\r\n"
               "GEO1\r\n" + geo1 + "\r\nGEO2\r\n;;;;\r\nGEO3\r\n;;;;\r\nGEO4\r\n;;;;\r\nGEO5\r\n;;;;\r\nGEO6\r\n;;;;\r\n"
               "EndOfConfigFile\r\nEndOfConfigFile\r\n";
    }

    // False when the file cannot be written whole.
    bool Write(const QString &path = "userapp.cfg") const
    {
        const QByteArray text = Text();
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    }
};

// The GEO row that relates GEO PRN 124 to the replay server's port, so that the records the
// client logs carry that PRN.
inline QByteArray ReplayServerGeoRow(quint16 port)
{
    return "124;ORVAN-2;ORVAN;" + QByteArray::number(port) + ";";
}
