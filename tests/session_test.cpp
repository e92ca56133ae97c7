// The client against a real replay server on loopback: authorisation, the request phase,
// streaming in both modes, stops and server faults.
#include "support/session_fixture.h"

#include "mops/aux_functions.h"
#include "server_link.h"
#include "text_frm.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>

namespace {

// The request list's own words are checked in the core tests; here it must reach the server.
QList<QByteArray> RequestWrites()
{
    QList<QByteArray> writes;
    for (const std::string &w : RequestListWrites())
        writes << QByteArray::fromStdString(w);
    return writes;
}

ServerOptions AsFastAsPossible()
{
    ServerOptions o;
    o.speed = 0;
    return o;
}

// No type 63: the answer for it, the 18th, is an error 7. The last message is of a type
// never requested, so its time of week arrives only with the stream.
std::vector<SbasFrame> NoNullMessage()
{
    return {sbas::PrnMask({1, 2, 3}, 1), SbasFrame(2), SbasFrame(3), SbasFrame(8)};
}
const QString kStreamEnd = "GPS Time: 1003";

TEST_F(SessionTest, SubscribeSessionAuthorisesRequestsStreamsAndStops)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    EXPECT_EQ(ui.dialogs, QStringList{"AuthDlg"});
    ASSERT_GE(writes.size(), 7);
    EXPECT_EQ(writes[0], "AUTH,user,secret\r\n");
    EXPECT_EQ(writes.mid(1, 5), RequestWrites());
    EXPECT_EQ(writes[6], "START\r\n");
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    EXPECT_EQ(Caption("Week"), "GPS Week: 2443");
    EXPECT_EQ(Caption("MsgType"), "Message Type: 8");
    EXPECT_EQ(Count("START\r\n"), 1);
    const QString log = LogText();
    EXPECT_TRUE(log.contains("Connected to TAV Velmar Data Server\n---- "));
    EXPECT_TRUE(log.contains("Processing authorisation...\n \n"));
    EXPECT_TRUE(log.contains("USER IS AUTHORISED. WELCOME TO THE Velmar Data Server"));
    EXPECT_FALSE(log.contains("ERROR FOUND")); // the error 7 answers are only counted
    EXPECT_EQ(frm->findChild<QLineEdit *>("GEO_Name")->text(), "ORVAN-2");
    EXPECT_FALSE(Button("BtnClose")->isEnabled());
    EXPECT_EQ(Button("Connect")->text(), "Disconnect");

    Button("Connect")->click(); // subscribe mode: closed at once, no STOP needed
    EXPECT_EQ(Button("Connect")->text(), "Connect");
    EXPECT_TRUE(Button("BtnClose")->isEnabled());
    EXPECT_TRUE(LogText().contains("Disconnected from VELMAR... Bye!"));
    EXPECT_EQ(Count("STOP\r\n"), 0);
}

// The link's states through a session, and what the window shows of each: the Connect caption,
// whether Connect and Close take a click. A stop in poll mode waits for the next line.
TEST_F(SessionTest, TheLinkStatesAndWhatTheWindowShowsOfThem)
{
    using S = LinkState;
    const std::vector<std::pair<S, std::string>> session = {
        {S::Connecting, "Disconnect, Connect on, Close off"}, {S::Authorising, "Disconnect, Connect on, Close off"},
        {S::Requesting, "Disconnect, Connect on, Close off"}, {S::Streaming, "Disconnect, Connect on, Close off"},
        {S::Stopping, "Disconnect, Connect on, Close off"},   {S::Idle, "Connect, Connect on, Close on"},
    };
    std::vector<std::pair<S, std::string>> entered;
    for (const char *method : {"Subscribe", "Poll"}) {
        SCOPED_TRACE(method);
        StartServer(NoNullMessage(), AsFastAsPossible());
        ui.dialogs.clear();
        StartClient(method);
        entered.clear();
        QObject::connect(&frm->Link(), &ServerLink::StateEntered, [&](S now, S) {
            const std::string shown = Button("Connect")->text().toStdString() +
                                      (Button("Connect")->isEnabled() ? ", Connect on" : ", Connect off") +
                                      (Button("BtnClose")->isEnabled() ? ", Close on" : ", Close off");
            if (entered.empty() || entered.back().first != now)
                entered.emplace_back(now, shown);
        });
        ConnectAndStream();
        ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
        Button("Connect")->click();
        server->SendToAll("*TXT,a line that completes a stop waiting for one\r\n");
        ASSERT_TRUE(WaitFor([&] { return frm->Link().State() == S::Idle; }));
        EXPECT_EQ(entered, session);
    }

    // A lost connection with Auto-Reconnect waits; unchecking the box frees the Connect button
    // alone, Close stays disabled until a later connection ends.
    frm->findChild<QCheckBox *>("AutoRec")->setChecked(true);
    writes.clear();
    ConnectAndStream();
    server->DropClients();
    ASSERT_TRUE(WaitFor([&] { return frm->Link().State() == S::WaitingToReconnect; }));
    EXPECT_EQ(Button("Connect")->text(), "Auto");
    EXPECT_FALSE(Button("Connect")->isEnabled());
    frm->findChild<QCheckBox *>("AutoRec")->setChecked(false);
    EXPECT_EQ(frm->Link().State(), S::Idle);
    EXPECT_EQ(Button("Connect")->text(), "Connect");
    EXPECT_TRUE(Button("Connect")->isEnabled());
    EXPECT_FALSE(Button("BtnClose")->isEnabled());
}

TEST_F(SessionTest, EighteenMessageAnswersStillStartTheStreamOnce)
{
    std::vector<SbasFrame> all;
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 12, 17, 18, 24, 25, 26, 27, 63, 8})
        all.push_back(SbasFrame(type));
    StartServer(all, AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == "GPS Time: 1018"; }));
    EXPECT_EQ(Count("START\r\n"), 1);
}

TEST_F(SessionTest, PollModeAsksOnceForEveryAnswerAtLeast200msApart)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient("Poll");
    const QList<qint64> &pollTimes = RecordPollTimes();
    Button("Connect")->click();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    ASSERT_TRUE(WaitFor([&] { return pollTimes.size() >= 3; }));
    for (int i = 1; i < pollTimes.size(); ++i)
        EXPECT_GE(pollTimes[i] - pollTimes[i - 1], 200);
    EXPECT_EQ(Count("START\r\n"), 0);

    // The stop completes after the next line; a line arrives for the pending poll.
    const int polls = Count("MSG\n");
    Button("Connect")->click();
    EXPECT_EQ(Button("Connect")->text(), "Disconnect");
    server->SendToAll("*TXT,closing\r\n");
    ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Connect"; }));
    EXPECT_FALSE(frm->findChild<QTimer *>("TimerMSG")->isActive());
    EXPECT_FALSE(frm->findChild<QLabel *>("AckWaitOn")->isVisible());
    // Once the server has seen the connection end, nothing more can have been sent on it.
    ASSERT_TRUE(WaitFor([&] { return server->ClientCount() == 0; }));
    EXPECT_LE(Count("MSG\n"), polls + 1);
}

TEST_F(SessionTest, PollModeGoesOnAfterPollsAnsweredWithNoMessage)
{
    ServerOptions o = AsFastAsPossible();
    o.pollErrorEvery = 2;
    o.loop = true;
    StartServer(NoNullMessage(), o);
    StartClient("Poll");
    const QList<qint64> &pollTimes = RecordPollTimes();
    Button("Connect")->click();
    // Every second poll is answered "no message"; polling goes on all the same.
    ASSERT_TRUE(WaitFor([&] { return pollTimes.size() >= 9; }, 8000)) << pollTimes.size();
    EXPECT_TRUE(WaitFor([&] { return Caption("Time") == "GPS Time: 1004"; })); // the fifth message
    for (int i = 1; i < pollTimes.size(); ++i)
        EXPECT_GE(pollTimes[i] - pollTimes[i - 1], 200);

    Button("Connect")->click(); // the stop completes with the next answer
    ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Connect"; }));
    EXPECT_FALSE(frm->findChild<QTimer *>("TimerMSG")->isActive());
}

TEST_F(SessionTest, LinesAfterAFailedLineAreHandledWithoutFurtherData)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    server->SendToAll("*MSG,W2443,2000," + Payload(SbasFrame(2)) + "\r\n*TXT,after the bad line\r\n");
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm() != nullptr; }));
    EXPECT_EQ(frm->TextForm()->Text(), "after the bad line");
    EXPECT_EQ(ui.errorReports, QStringList{"'W2443' is not a valid floating point value"});
}

TEST_F(SessionTest, AFloodOfLinesLeavesTheEventLoopItsTurn)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    constexpr int kLines = 8000; // within what the text window keeps
    QByteArray flood;
    for (int i = 0; i < kLines; ++i)
        flood += "*TXT," + QByteArray::number(i) + "\r\n";
    server->SendToAll(flood);
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm() != nullptr; }));
    // A timer due at once must fire while the flood is still being handled.
    const auto lines = [&] { return frm->TextForm()->Text().split('\n'); };
    qsizetype handledWhenTimerFired = -1;
    QTimer::singleShot(0, [&] { handledWhenTimerFired = lines().size(); });
    ASSERT_TRUE(WaitFor([&] { return lines().size() == kLines; }, 60000));
    EXPECT_GT(handledWhenTimerFired, 0);
    EXPECT_LT(handledWhenTimerFired, kLines);
    QStringList expected;
    for (int i = 0; i < kLines; ++i)
        expected << QString::number(i);
    EXPECT_EQ(lines(), expected); // in order, none lost
}

// Failed lines are handled in batches like any others: a turn of the event loop for each
// would leave a flood of them crawling.
TEST_F(SessionTest, AFloodOfFailingLinesIsHandledInBatches)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    constexpr int kLines = 4000;
    QByteArray flood;
    for (int i = 0; i < kLines; ++i)
        flood += i % 2 ? "*MSG,W2443,1,53\r\n" : "*MSG,,\r\n";
    int turns = 0;
    QTimer turnCounter;
    QObject::connect(&turnCounter, &QTimer::timeout, [&] { ++turns; });
    turnCounter.start(0);
    server->SendToAll(flood + "*MSG,2443,4000," + Payload(SbasFrame(8)) + "\r\n");
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == "GPS Time: 4000"; }, 60000));
    EXPECT_EQ(ui.errorReports.size(), kLines);
    EXPECT_EQ(ui.errorReports.count("'W2443' is not a valid floating point value"), kLines / 2);
    EXPECT_LT(turns, kLines / 10);
}

TEST_F(SessionTest, OverLongAndShortPayloadsAreRefusedWithTheirOwnReports)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    // A payload expanding to megabytes is refused as over-long without expanding it all.
    QByteArray huge;
    for (int i = 0; i < 10000; ++i)
        huge += "0/FF";
    server->SendToAll("*MSG,2443,3000," + huge + "\r\n");
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == "GPS Time: 3000"; }));
    EXPECT_LT(MsgText().size(), 1000);
    EXPECT_GE(MsgText().size(), 68);
    // A line past 64 KiB is dropped whole, and the next line still comes.
    server->SendToAll("*MSG,2443,3001," + QByteArray(70000, '0') + "\r\n*MSG,2443,3002,AB\r\n");
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == "GPS Time: 3002"; }));
    EXPECT_TRUE(LogText().contains("exceeded 64 KiB and was dropped."));
    // "AB" expands to too few digits to hold a message type.
    EXPECT_EQ(ui.errorReports, QStringList{"'0x' is not a valid integer value"});
}

TEST_F(SessionTest, AResetConnectionIsALostConnection)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    server->ResetClients();
    ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Connect"; }));
    EXPECT_TRUE(LogText().contains("Connection lost (now disconnected from VELMAR)"));
    EXPECT_FALSE(LogText().contains("Disconnected from VELMAR... Bye!"));
    EXPECT_TRUE(Button("BtnClose")->isEnabled());
}

TEST_F(SessionTest, ServerRepliesOfEveryKind)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));

    server->SendToAll("*ERR,3,Something failed, badly\r\n");
    ASSERT_TRUE(WaitFor([&] { return LogText().contains("ERROR FOUND"); }));
    EXPECT_TRUE(LogText().endsWith("ERROR FOUND\nCODE:  3\nMESSAGE:  Something failed, badly\n"));

    EXPECT_EQ(frm->TextForm(), nullptr);
    server->SendToAll("*TXT,Service notice\r\n");
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm() != nullptr; }));
    EXPECT_EQ(frm->TextForm()->Text(), "Service notice");
    EXPECT_FALSE(frm->TextForm()->isVisible()); // created, not shown

    // An empty line ends the handling of a read event; what follows waits for the next one.
    server->SendToAll("*TXT,one\r\n\r\n*TXT,two\r\n");
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm()->Text().endsWith("one"); }));
    // The read that showed "one" is over; so is anything it left for the event loop to do.
    bool idle = false;
    QTimer::singleShot(0, frm.get(), [&] { idle = true; });
    ASSERT_TRUE(WaitFor([&] { return idle; }));
    EXPECT_FALSE(frm->TextForm()->Text().contains("two"));
    server->SendToAll("*TXT,three\r\n");
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm()->Text().endsWith("three"); }));
    EXPECT_EQ(frm->TextForm()->Text(), "Service notice\none\ntwo\nthree");

    server->SendToAll("*MSG,2443,5000,|4\r\n");
    ASSERT_TRUE(WaitFor([&] { return LogText().contains("PARDO Decompression Error."); }));
    EXPECT_TRUE(LogText().contains(
        "PARDO Decompression Error.\nGPS Time: 5000  GPS Week: 2443\nThis message will be ignored\n---- "));

    server->SendToAll("*MSG,abc,5001,C6\r\n");
    ASSERT_TRUE(WaitFor([&] { return !ui.errorReports.isEmpty(); }));
    EXPECT_EQ(ui.errorReports[0], "'abc' is not a valid floating point value");
    EXPECT_EQ(Caption("Week"), "GPS Week: abc");

    server->SendToAll(QByteArray(70 * 1024, 'x'));
    server->SendToAll("\r\n"); // ends the over-long line
    server->SendToAll("*TXT,still alive\r\n");
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm()->Text().endsWith("still alive"); }));
    EXPECT_EQ(LogText().count("Received line exceeded 64 KiB and was dropped."), 1);
}

// Each dropped text is logged once, with its reason, however many reads it took: 5 MiB without
// a line end (reported once 4 MiB have passed), a complete line of 70,000 bytes, and 100,000
// bytes without a line end cut off by the end of the connection.
TEST_F(SessionTest, EachDroppedTextIsLoggedOnceWithItsReason)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    const QString noLineEnd = "Received text without a line end exceeded 64 KiB and was dropped.";
    const QString overLong = "Received line exceeded 64 KiB and was dropped.";
    server->SendToAll(QByteArray(5 << 20, 'A') + "\r\n*MSG,2443,3001," + QByteArray(70000, '0') +
                      "\r\n*TXT,after\r\n");
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm() && frm->TextForm()->Text() == "after"; }, 30000));
    EXPECT_EQ(LogText().count(noLineEnd), 1);
    EXPECT_EQ(LogText().count(overLong), 1);
    EXPECT_LT(LogText().indexOf(noLineEnd), LogText().indexOf(overLong)); // in the order received

    server->SendToAll(QByteArray(100000, 'B'));
    server->DropClients(); // after what it has to send
    ASSERT_TRUE(WaitFor([&] { return LogText().count(noLineEnd) == 2; }));
    EXPECT_EQ(LogText().count(overLong), 1);
}

// Text replies are shown as UTF-8 when they are valid UTF-8, and as Latin-1 otherwise.
TEST_F(SessionTest, TextRepliesAreUtf8OrElseLatin1)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    const struct {
        QByteArray sent;
        QString shown;
    } cases[] = {
        {"caf\xc3\xa9 \xc2\xb0" "C", QString::fromUtf8(u8"caf\u00e9 \u00b0C")},
        {"caf\xe9 \xb0" "C", QString::fromUtf8(u8"caf\u00e9 \u00b0C")},      // Latin-1
        {"ends in half a character \xc3", QString::fromUtf8(u8"ends in half a character \u00c3")},
        {"\xef\xbb\xbf" "begins with a byte order mark", QChar(0xFEFF) + QString("begins with a byte order mark")},
        {"plain", "plain"},
    };
    QByteArray sent;
    QStringList expected;
    for (const auto &c : cases) {
        sent += "*TXT," + c.sent + "\r\n";
        expected << c.shown;
    }
    server->SendToAll(sent);
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm() && frm->TextForm()->Text().endsWith("plain"); }));
    EXPECT_EQ(frm->TextForm()->Text().toStdString(), expected.join('\n').toStdString());
}

// With a read buffer of 4 KiB and 8,000 lines sent at once, the window reads the socket only
// when it has run out of lines: between batches the socket is found holding a full buffer it has
// not read, the window never holds more than one read of 4 KiB and an unfinished line of this
// flood (under 20 bytes), and reading resumes after each batch until every line is in, in order.
TEST_F(SessionTest, TheSocketIsNotReadWhileABatchOfLinesWaits)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    constexpr qint64 kReadBuffer = 4096;
    Socket()->SetReadBufferSize(kReadBuffer);
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    constexpr int kLines = 8000;
    QByteArray flood;
    for (int i = 0; i < kLines; ++i)
        flood += "*TXT," + QByteArray::number(i) + "\r\n";
    int fullAndUnread = 0;
    std::size_t mostHeld = 0;
    QTimer probe; // runs between batches
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (frm->Link().LinesQueued() && Socket()->BytesAvailable() == kReadBuffer)
            ++fullAndUnread;
        mostHeld = std::max(mostHeld, frm->Link().ReceivedTextHeld());
    });
    probe.start(0);
    server->SendToAll(flood);
    const auto lines = [&] { return frm->TextForm() ? frm->TextForm()->Text().split('\n') : QStringList(); };
    ASSERT_TRUE(WaitFor([&] { return lines().size() == kLines; }, 60000));
    EXPECT_GT(fullAndUnread, 0);
    EXPECT_LE(mostHeld, static_cast<std::size_t>(kReadBuffer) + 20);
    QStringList expected;
    for (int i = 0; i < kLines; ++i)
        expected << QString::number(i);
    EXPECT_EQ(lines(), expected);
}

// The error report is owned by the main window: closing the main window by its frame ends the
// program with a report on screen. One report lists the latest 100 errors, numbered, with the
// count of all.
TEST_F(SessionTest, TheErrorReportBelongsToTheMainWindowAndListsTheErrors)
{
    StartServer(NoNullMessage());
    StartClient();
    QtUiSeam reports;
    const auto error = [](int n) { return QString("'W%1' is not a valid floating point value").arg(n); };
    for (int n = 1; n <= 3; ++n)
        reports.ErrorReport(frm.get(), error(n));
    auto *box = frm->findChild<QMessageBox *>("ErrorReport");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), error(3)); // the latest at once, the list at the next turn of the event loop
    ASSERT_TRUE(WaitFor([&] { return box->informativeText() == "3 errors so far; the latest 3 are listed under Show Details."; }));
    EXPECT_EQ(box->detailedText(), "1: " + error(1) + "\n2: " + error(2) + "\n3: " + error(3));
    for (int n = 4; n <= 150; ++n)
        reports.ErrorReport(frm.get(), error(n));
    EXPECT_EQ(box->text(), error(150));
    ASSERT_TRUE(WaitFor([&] { return box->informativeText() == "150 errors so far; the latest 100 are listed under Show Details."; }));
    const QStringList listed = box->detailedText().split('\n');
    ASSERT_EQ(listed.size(), 100);
    EXPECT_EQ(listed.first(), "51: " + error(51));
    EXPECT_EQ(listed.last(), "150: " + error(150));
    EXPECT_EQ(frm->findChildren<QMessageBox *>().size(), 1);

    frm->show();
    ASSERT_TRUE(box->isVisible());
    bool stillRunning = false;
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [&] {
        stillRunning = true;
        QApplication::quit();
    });
    giveUp.start(10000);
    QTimer::singleShot(0, frm.get(), [&] { frm->close(); });
    QApplication::exec(); // returns when the last window that keeps the program running is closed
    EXPECT_FALSE(stillRunning) << "the program goes on after its main window was closed";
}

TEST_F(SessionTest, IntakeRejectsLongTextsSkipsEmptyTypeZeroAndDropsDuplicatesAfterTheRequests)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }));
    auto line = [](int tow, const QByteArray &payload) {
        return "*MSG,2443," + QByteArray::number(tow) + "," + payload + "\r\n";
    };
    auto msgStyle = [&] { return frm->findChild<MessageLine *>("Msg")->styleSheet(); };

    server->SendToAll(line(2000, Payload(sbas::NullMessage(), "0000"))); // 68 characters
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == "GPS Time: 2000"; }));
    EXPECT_EQ(MsgText().size(), 68);
    EXPECT_TRUE(msgStyle().contains("yellow"));
    EXPECT_EQ(Caption("MsgType"), "Message Type: 8");

    server->SendToAll(line(2001, Payload(sbas::NullMessage()))); // 67 characters
    ASSERT_TRUE(WaitFor([&] { return Caption("MsgType") == "Message Type: 63"; }));
    EXPECT_TRUE(msgStyle().contains("background:palette(base)")); // white by default

    sbas::FastCorrectionsMsg empty;
    empty.type = 0;
    server->SendToAll(line(2002, Payload(sbas::FastCorrections(empty))));
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == "GPS Time: 2002"; }));
    EXPECT_EQ(Caption("MsgType"), "Message Type: 63"); // an empty type 0 goes no further
    sbas::FastCorrectionsMsg carrying = empty;
    carrying.prc[3] = 2.0;
    server->SendToAll(line(2003, Payload(sbas::FastCorrections(carrying))));
    ASSERT_TRUE(WaitFor([&] { return Caption("MsgType") == "Message Type: 2"; }));
    EXPECT_EQ(MsgText().mid(2, 2), "00"); // shown as type 2, the text unchanged

    // While the request count is 18 a repeated time of week is processed again...
    server->SendToAll(line(2004, Payload(SbasFrame(6))) + line(2004, Payload(SbasFrame(7))));
    ASSERT_TRUE(WaitFor([&] { return Caption("MsgType") == "Message Type: 7"; }));
    // ...once a further error 7 has raised it above 18, the repeat is dropped. A later message
    // shows when the repeat has been handled; the message texts shown meanwhile tell the types.
    QList<int> shownTypes;
    QObject::connect(frm->findChild<MessageLine *>("Msg"), &MessageLine::textChanged,
                     [&](const QString &text) { shownTypes << BitField(text.toStdString(), 9, 6); });
    server->SendToAll("*ERR,7,none\r\n" + line(2005, Payload(SbasFrame(9))) + line(2005, Payload(SbasFrame(10))));
    ASSERT_TRUE(WaitFor([&] { return Caption("MsgType") == "Message Type: 9"; }));
    EXPECT_EQ(Caption("MsgType"), "Message Type: 9");
    server->SendToAll(line(2006, Payload(SbasFrame(12))));
    ASSERT_TRUE(WaitFor([&] { return Caption("MsgType") == "Message Type: 12"; }));
    EXPECT_EQ(shownTypes, (QList<int>{9, 12}));
}

TEST_F(SessionTest, LinesSplitAcrossWritesAreReassembled)
{
    ServerOptions o = AsFastAsPossible();
    o.splitWrites = true;
    StartServer(NoNullMessage(), o);
    StartClient();
    ConnectAndStream();
    ASSERT_TRUE(WaitFor([&] { return Caption("Time") == kStreamEnd; }, 10000));
    EXPECT_TRUE(ui.errorReports.isEmpty());
}

TEST_F(SessionTest, ServerDroppingTheConnection)
{
    StartServer(NoNullMessage(), AsFastAsPossible());
    StartClient();
    ConnectAndStream();
    server->DropClients();
    ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Connect"; }));
    EXPECT_TRUE(LogText().contains("Disconnected from VELMAR... Bye!"));
    EXPECT_TRUE(Button("BtnClose")->isEnabled());

    // With Auto-Reconnect the client waits a minute and connects again by itself.
    frm->findChild<QCheckBox *>("AutoRec")->setChecked(true);
    writes.clear();
    ConnectAndStream();
    server->DropClients();
    ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Auto"; }));
    EXPECT_FALSE(Button("Connect")->isEnabled());
    EXPECT_TRUE(LogText().contains("Disconnected from TAV VELMAR Data Server\n---- "));
    EXPECT_TRUE(LogText().contains("Reconnecting in 1 minute...\n---- "));
    EXPECT_TRUE(frm->findChild<QTimer *>("TimerRecon")->isActive());
    frm->TimerReconTimer();
    ASSERT_TRUE(WaitFor([&] { return LogText().count("Connected to TAV Velmar Data Server") == 3; }));
    EXPECT_EQ(Button("Connect")->text(), "Disconnect");
    EXPECT_EQ(Count("AUTH,user,secret\r\n"), 2);
}

TEST_F(SessionTest, ConnectionRefusedWithoutAutoReconnect)
{
    StartServer(NoNullMessage());
    StartClient();
    server.reset(); // nobody listens on that port any more
    Button("Connect")->click();
    ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Connect"; }));
    EXPECT_TRUE(LogText().contains("Connection lost (now disconnected from VELMAR)"));
    EXPECT_TRUE(Button("BtnClose")->isEnabled());
}

TEST_F(SessionTest, CancelledAuthorisationAbortsTheConnection)
{
    StartServer(NoNullMessage());
    StartClient();
    ui.onDialog = [](QDialog &) { return int(QDialog::Rejected); };
    Button("Connect")->click();
    EXPECT_EQ(LogText(), "Authorisation data not introduced. Connection aborted.\n");
    EXPECT_EQ(Button("Connect")->text(), "Connect");
    EXPECT_TRUE(WaitFor([&] { return server->ClientCount() == 0; }));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
