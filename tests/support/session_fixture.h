#pragma once

#include "client_config.h"
#include "data_server_socket.h"
#include "du2ro_server.h"
#include "mainfrm.h"
#include "message_line.h"
#include "output/log_record.h"
#include "sbas_encoder.h"
#include "sign_in.h"
#include "support/fake_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_cwd.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A main window talking to a replay server on a loopback port, with a user who enters
// "user" / "secret" when asked.
class SessionTest : public ::testing::Test {
protected:
    static constexpr int kWeek = 2443;
    static constexpr int kFirstTow = 1000;

    TempCwd cwd;
    ScriptedUi ui;
    FakeClock clock;
    std::unique_ptr<Du2roServer> server;
    std::unique_ptr<TMainFrm> frm;
    QList<QByteArray> writes;
    QList<qint64> pollTimes;
    QElapsedTimer pollClock;

    // One record a second from kFirstTow on.
    static std::vector<std::string> Records(const std::vector<SbasFrame> &frames)
    {
        std::vector<std::string> lines;
        int i = 0;
        for (SbasFrame f : frames) {
            const std::string hex = f.Hex(i);
            lines.push_back(FormatLogRecord(124, static_cast<int>(f.Get(9, 6)), kWeek, kFirstTow + i, hex));
            ++i;
        }
        return lines;
    }

    static std::vector<SbasFrame> TypicalFrames()
    {
        sbas::FastCorrectionsMsg fc;
        fc.prc[0] = 1.5;
        return {sbas::PrnMask({1, 2, 3}, 1), sbas::FastCorrections(fc), sbas::NullMessage(), sbas::FastCorrections(fc),
                sbas::NullMessage()};
    }

    void StartServer(const std::vector<SbasFrame> &frames, ServerOptions options = {})
    {
        options.port = 0;
        server = std::make_unique<Du2roServer>(Recording::FromRecords(Records(frames)), options);
        QString error;
        ASSERT_TRUE(server->Listen(error)) << error.toStdString();
    }

    void StartClient(const char *method = "Subscribe")
    {
        ASSERT_TRUE((ClientConfig{server->Port(), method, ReplayServerGeoRow(server->Port())}.Write(cwd.Path("userapp.cfg"))));
        ui.onDialog = SignIn;
        frm = std::make_unique<TMainFrm>(ui, clock);
        frm->FormShow();
        ASSERT_TRUE(ui.dialogs.isEmpty()) << "configuration warning shown";
        QObject::connect(Socket(), &DataServerSocket::Written, [this](const QByteArray &b) { writes << b; });
    }

    DataServerSocket *Socket() { return frm->findChild<DataServerSocket *>("C"); }
    QString Caption(const char *label) { return frm->findChild<QLabel *>(label)->text(); }
    QString MsgText() { return frm->findChild<MessageLine *>("Msg")->text(); }
    QString LogText() { return frm->findChild<QPlainTextEdit *>("LogWin")->toPlainText(); }
    QPushButton *Button(const char *name) { return frm->findChild<QPushButton *>(name); }
    int Count(const QByteArray &write) { return static_cast<int>(writes.count(write)); }

    static bool WaitFor(const std::function<bool()> &condition, int ms = 5000)
    {
        return QTest::qWaitFor(condition, ms);
    }

    // The times, in ms from now, at which the client sends its polls.
    const QList<qint64> &RecordPollTimes()
    {
        pollClock.start();
        QObject::connect(Socket(), &DataServerSocket::Written, [this](const QByteArray &b) {
            if (b == "MSG\n")
                pollTimes << pollClock.elapsed();
        });
        return pollTimes;
    }

    void ConnectAndStream()
    {
        Button("Connect")->click();
        ASSERT_TRUE(WaitFor([&] { return Count("START\r\n") == 1 || Count("MSG\n") >= 1; }));
    }

    // The payload of a message line as the server would send it: PARDO form plus a trailer.
    static QByteArray Payload(SbasFrame f, const std::string &trailer = "000")
    {
        TPARDO p;
        p.Data = f.Hex() + trailer;
        p.Compress();
        return QByteArray::fromStdString(p.Data);
    }
};
