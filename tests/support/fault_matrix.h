#pragma once

#include "client_config.h"
#include "data_server_socket.h"
#include "du2ro_server.h"
#include "mainfrm.h"
#include "output/log_record.h"
#include "sbas_encoder.h"
#include "sign_in.h"
#include "support/fake_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_cwd.h"
#include "text_frm.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextBlock>

#include <memory>
#include <vector>

// Server faults run end to end: an offscreen main window against an in-process replay server
// on a loopback port. A run starts the session, brings on the fault, checks what the window
// logged, brings the server back and waits until the stream has come through again.
struct FaultCase {
    enum class Ending {
        ServerStaysUp,     // the fault is in what the server sends; the stream follows it
        ServerKilled,      // the server goes away; the user connects again once it is back
        ConnectionReset,   // the connection is reset; the user connects again
        ServerRestarted,   // the server goes away and comes back; Auto-Reconnect connects
        UserStops,         // the user gives up waiting and connects to a working server
    };
    const char *name;
    ServerOptions options;
    Ending ending;
    const char *logged;     // a line the log window shows for the fault
    const char *textWindow; // a line the text window shows for it, or ""
};

inline ServerOptions FaultOptions(void (*set)(ServerOptions &))
{
    ServerOptions o;
    o.speed = 0; // as fast as the client takes it
    set(o);
    return o;
}

inline std::vector<FaultCase> FaultCases()
{
    using E = FaultCase::Ending;
    using F = ServerOptions::Flood;
    // Lines before the stream: the authorisation and the 18 answers of the request phase.
    return {
        {"killed_mid_line", FaultOptions([](ServerOptions &o) { o.closeAfterLines = 22; o.cutMidLine = true; }),
         E::ServerKilled, "Disconnected from VELMAR... Bye!", ""},
        {"killed_mid_request_phase", FaultOptions([](ServerOptions &o) { o.closeAfterLines = 6; }), E::ServerKilled,
         "Disconnected from VELMAR... Bye!", ""},
        {"killed_mid_stream", FaultOptions([](ServerOptions &o) { o.closeAfterLines = 23; }), E::ServerKilled,
         "Disconnected from VELMAR... Bye!", ""},
        {"never_answers_auth", FaultOptions([](ServerOptions &o) { o.noAuthReply = true; }), E::UserStops,
         "Processing authorisation...", ""},
        {"malformed_lines_100000", FaultOptions([](ServerOptions &o) { o.flood = F::Malformed; o.floodCount = 100000; }),
         E::ServerStaysUp, "PARDO Decompression Error.", ""},
        {"no_line_feed_50MiB", FaultOptions([](ServerOptions &o) { o.flood = F::Unterminated; o.floodCount = 50 << 20; }),
         E::ServerStaysUp, "Received text without a line end exceeded 64 KiB and was dropped.", ""},
        {"pardo_payload_1MiB", FaultOptions([](ServerOptions &o) { o.flood = F::BigPayload; o.floodCount = 1 << 20; }),
         E::ServerStaysUp, "Received line exceeded 64 KiB and was dropped.", ""},
        {"err_lines_100000", FaultOptions([](ServerOptions &o) { o.flood = F::Errors; o.floodCount = 100000; }),
         E::ServerStaysUp, "MESSAGE:  Flood error 1", ""},
        {"txt_lines_100000", FaultOptions([](ServerOptions &o) { o.flood = F::Texts; o.floodCount = 100000; }),
         E::ServerStaysUp, "Connected to TAV Velmar Data Server", "Flood text 1"},
        {"restarted_with_auto_reconnect", FaultOptions([](ServerOptions &) {}), E::ServerRestarted,
         "Reconnecting in 1 minute...", ""},
        {"connection_reset", FaultOptions([](ServerOptions &) {}), E::ConnectionReset,
         "Connection lost (now disconnected from VELMAR)", ""},
    };
}

class FaultRun {
public:
    static constexpr int kWeek = 2443;
    static constexpr int kFirstTow = 1000;

    explicit FaultRun(FaultCase fault) : fault_(std::move(fault)) {}

    // Every line the log window has shown, roll-overs included.
    const QStringList &Logged() const { return logged_; }
    TMainFrm &Frm() { return *frm_; }
    ScriptedUi &Ui() { return ui_; }

    // Server up, window connected and, unless the fault prevents it, the stream asked for.
    bool Start(QString &why)
    {
        if (!StartServer(fault_.options, 0, why))
            return false;
        StartClient();
        if (fault_.ending == FaultCase::Ending::ServerRestarted)
            frm_->findChild<QCheckBox *>("AutoRec")->setChecked(true);
        Button("Connect")->click();
        return Expect(WaitFor([&] { return HasLogged("Processing authorisation..."); }), "no connection", why);
    }

    // Brings on the fault and waits for the window to report it.
    bool Fault(QString &why)
    {
        using E = FaultCase::Ending;
        switch (fault_.ending) {
        case E::ServerStaysUp:
            break; // the server sends the fault by itself
        case E::ServerKilled:
            if (!Expect(WaitFor([&] { return Button("Connect")->text() == "Connect"; }), "not disconnected", why))
                return false;
            server_.reset();
            break;
        case E::ConnectionReset:
            if (!WaitForStreamEnd(why))
                return false;
            server_->ResetClients();
            break;
        case E::ServerRestarted:
            if (!WaitForStreamEnd(why))
                return false;
            server_.reset();
            if (!Expect(WaitFor([&] { return Button("Connect")->text() == "Auto"; }), "no reconnection due", why))
                return false;
            break;
        case E::UserStops:
            if (!WaitedInVain(why))
                return false;
            Button("Connect")->click(); // Disconnect
            if (!Expect(WaitFor([&] { return Button("Connect")->text() == "Connect"; }), "not stopped", why))
                return false;
            server_.reset();
            break;
        }
        if (fault_.textWindow[0] != '\0' &&
            !Expect(WaitFor([&] { return frm_->TextForm() && frm_->TextForm()->Text().contains(fault_.textWindow); },
                            300000),
                    "text window silent", why))
            return false;
        return Expect(WaitFor([&] { return HasLogged(fault_.logged); }, 300000),
                      QString("log lacks \"%1\"").arg(fault_.logged), why);
    }

    // The server back (a working one where it went away) and the stream through to its end.
    bool Recover(QString &why)
    {
        using E = FaultCase::Ending;
        if (fault_.ending == E::ServerStaysUp)
            return WaitForStreamEnd(why); // the stream is sent behind the flood
        frm_->findChild<QLabel *>("Time")->clear();
        switch (fault_.ending) {
        case E::ServerStaysUp:
            break;
        case E::ServerKilled:
        case E::UserStops:
            if (!StartServer(FaultOptions([](ServerOptions &) {}), port_, why))
                return false;
            Button("Connect")->click();
            break;
        case E::ConnectionReset:
            if (!Expect(WaitFor([&] { return Button("Connect")->text() == "Connect"; }), "not disconnected", why))
                return false;
            Button("Connect")->click();
            break;
        case E::ServerRestarted:
            if (!StartServer(FaultOptions([](ServerOptions &) {}), port_, why))
                return false;
            frm_->TimerReconTimer(); // the minute has passed
            break;
        }
        return WaitForStreamEnd(why);
    }

private:
    // The stream ends with a type no request asks for: its time shows only when streamed.
    static std::vector<SbasFrame> Frames()
    {
        std::vector<SbasFrame> frames = {sbas::PrnMask({1, 2, 3}, 1)};
        sbas::FastCorrectionsMsg fc;
        for (int type : {2, 3, 4, 5, 2, 3, 4, 5}) {
            fc.type = type;
            fc.prc[0] = type * 0.5;
            frames.push_back(sbas::FastCorrections(fc));
        }
        frames.push_back(SbasFrame(8));
        return frames;
    }
    static QString StreamEnd() { return "GPS Time: " + QString::number(kFirstTow + 9); }

    bool StartServer(const ServerOptions &options, quint16 port, QString &why)
    {
        std::vector<std::string> lines;
        int i = 0;
        for (SbasFrame f : Frames()) {
            const std::string hex = f.Hex(i);
            lines.push_back(FormatLogRecord(124, static_cast<int>(f.Get(9, 6)), kWeek, kFirstTow + i, hex));
            ++i;
        }
        ServerOptions o = options;
        o.port = port;
        server_ = std::make_unique<Du2roServer>(Recording::FromRecords(lines), o);
        if (!server_->Listen(why))
            return false;
        port_ = server_->Port();
        serverEvents_.clear();
        QObject::connect(server_.get(), &Du2roServer::Event, [this](const QString &event) { serverEvents_ << event; });
        return true;
    }

    void StartClient()
    {
        ClientConfig{port_, "Subscribe", ReplayServerGeoRow(port_)}.Write(cwd_.Path("userapp.cfg"));
        ui_.onDialog = SignIn;
        frm_ = std::make_unique<TMainFrm>(ui_, clock_);
        auto *log = frm_->findChild<QPlainTextEdit *>("LogWin");
        QObject::connect(log, &QPlainTextEdit::textChanged, [this, log] {
            const QString last = log->document()->lastBlock().text();
            if (!last.isEmpty())
                logged_ << last;
        });
        frm_->FormShow();
        QObject::connect(frm_->findChild<DataServerSocket *>("C"), &DataServerSocket::Written,
                         [this](const QByteArray &b) { writes_ << b; });
    }

    // The window waits for an answer to its AUTH that never comes. Once the server has read the
    // AUTH and a text it sends afterwards has been shown, the window has handled all there is:
    // it must have sent nothing after its AUTH (no request) and logged no authorisation.
    bool WaitedInVain(QString &why)
    {
        const QString text = "No answer to AUTH is coming";
        if (!Expect(WaitFor([&] { return serverEvents_.filter("AUTH left unanswered").size() == 1; }),
                    "the server read no AUTH", why))
            return false;
        server_->SendToAll("*TXT," + text.toUtf8() + "\r\n");
        if (!Expect(WaitFor([&] { return frm_->TextForm() && frm_->TextForm()->Text().contains(text); }),
                    "the text sent after the AUTH was not shown", why))
            return false;
        if (!Expect(writes_ == QList<QByteArray>{"AUTH,user,secret\r\n"},
                    "sent more than its AUTH: " + QString::fromLatin1(writes_.join("|")).replace("\r\n", "\\r\\n"), why))
            return false;
        // Any line that says so: the welcome after it is part of the same line.
        return Expect(logged_.filter("USER IS AUTHORISED").isEmpty(), "logged an authorisation that was never given",
                      why);
    }

    bool WaitForStreamEnd(QString &why)
    {
        QLabel *time = frm_->findChild<QLabel *>("Time");
        return Expect(WaitFor([&] { return time->text() == StreamEnd(); }, 300000),
                      "the stream did not come through; the window shows \"" + time->text() + "\", last logged \"" +
                          logged_.value(logged_.size() - 1) + "\", " + QString::number(ui_.errorReports.size()) +
                          " error reports, the last \"" + ui_.errorReports.value(ui_.errorReports.size() - 1) + "\"",
                      why);
    }

    // Whether the log has shown the line; each logged line is looked at once, however often asked.
    bool HasLogged(const QString &line)
    {
        for (; checked_ < logged_.size(); ++checked_)
            seen_.insert(logged_[checked_]);
        return seen_.contains(line);
    }

    QPushButton *Button(const char *name) { return frm_->findChild<QPushButton *>(name); }
    static bool WaitFor(const std::function<bool()> &condition, int ms = 10000)
    {
        return QTest::qWaitFor(condition, ms);
    }
    static bool Expect(bool ok, const QString &what, QString &why)
    {
        if (!ok)
            why = what;
        return ok;
    }

    FaultCase fault_;
    TempCwd cwd_;
    ScriptedUi ui_;
    FakeClock clock_;
    // Filled by the server and the window through connections: declared first, gone last.
    QList<QByteArray> writes_; // what the window sent, in order
    QStringList serverEvents_; // what the server reported, since it started
    QStringList logged_;
    std::unique_ptr<Du2roServer> server_;
    std::unique_ptr<TMainFrm> frm_;
    quint16 port_ = 0;
    qsizetype checked_ = 0;
    QSet<QString> seen_;
};
