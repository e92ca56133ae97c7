// The supervision handlers, driven directly with a clock the test moves.
#include "support/session_fixture.h"

#include "sis_mode_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QRegularExpression>
#include <QTimer>

namespace {

TEST_F(SessionTest, StalledFeedIsDeclaredOnceAndClearedByNewData)
{
    StartServer({sbas::PrnMask({1}, 0), SbasFrame(8)}, {});
    StartClient();
    frm->HandleMsgLine("*MSG,2443,100,53FC");
    auto msgStyle = [&] { return frm->findChild<MessageLine *>("Msg")->styleSheet(); };
    frm->SISCheckerTimer(); // the time changed since the last check
    EXPECT_TRUE(msgStyle().contains("color:palette(text)")); // the palette's text colour, black by default
    frm->SISCheckerTimer();
    frm->SISCheckerTimer();
    EXPECT_TRUE(msgStyle().contains("red"));
    EXPECT_EQ(LogText().count("Base Station / No SIS failure detected..."), 1);
    EXPECT_EQ(frm->SisModeForm()->VisibleMode(), "InfoNA");
    EXPECT_FALSE(frm->SisMonitor().State.Receiving);
    EXPECT_DOUBLE_EQ(frm->SisMonitor().State.OutageStart, clock.now);

    frm->HandleMsgLine("*MSG,2443,101,53FC");
    frm->SISCheckerTimer();
    EXPECT_TRUE(msgStyle().contains("color:palette(text)")); // the palette's text colour, black by default
    frm->SISCheckerTimer();
    EXPECT_EQ(LogText().count("Base Station / No SIS failure detected..."), 2); // a new stall
}

TEST_F(SessionTest, EverySixthFailedReconnectionDeclaresInfoNA)
{
    StartServer({SbasFrame(8)}, {});
    StartClient();
    server.reset();
    frm->findChild<QCheckBox *>("AutoRec")->setChecked(true);
    frm->SisModeForm()->SetMode("Mode SOL", true, 1);
    Button("Connect")->click(); // refused: waits to reconnect
    ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Auto"; }));
    for (int attempt = 1; attempt <= 6; ++attempt) {
        frm->TimerReconTimer();
        ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Auto"; })) << attempt;
        EXPECT_EQ(LogText().count("More than 5 consecutive reconnections."), attempt == 6 ? 1 : 0) << attempt;
    }
    EXPECT_TRUE(LogText().contains("More than 5 consecutive reconnections.\nInfo N/A mode is active\n---- "));
    EXPECT_EQ(frm->SisModeForm()->VisibleMode(), "InfoNA");

    // Unchecking Auto-Reconnect cancels the pending attempt.
    frm->findChild<QCheckBox *>("AutoRec")->click();
    EXPECT_FALSE(frm->findChild<QTimer *>("TimerRecon")->isActive());
    EXPECT_EQ(Button("Connect")->text(), "Connect");
    EXPECT_TRUE(Button("Connect")->isEnabled());
}

TEST_F(SessionTest, ReconnectingSoonToTheSameServerKeepsTheDecodedState)
{
    StartServer({sbas::PrnMask({1}, 0), SbasFrame(8)}, {});
    StartClient();
    ConnectAndStream();
    frm->PrnMask().slotList[3][200] = 7; // stands for decoded state: no message writes it
    Button("Connect")->click();
    clock.AdvanceSeconds(299);
    ConnectAndStream();
    EXPECT_EQ(frm->PrnMask().slotList[3][200], 7);
    Button("Connect")->click();
    clock.AdvanceSeconds(300);
    writes.clear();
    ConnectAndStream();
    EXPECT_EQ(frm->PrnMask().slotList[3][200], 0);
}

// With Auto-Reconnect checked, a disconnection the user asked for is final in both modes; the
// box stays checked and still reconnects a connection lost without the user asking.
TEST_F(SessionTest, AUserStopIsFinalWithAutoReconnectChecked)
{
    for (const char *method : {"Subscribe", "Poll"}) {
        SCOPED_TRACE(method);
        StartServer({sbas::PrnMask({1}, 0), SbasFrame(8)}, {});
        ui.dialogs.clear();
        StartClient(method);
        writes.clear();
        auto *autoRec = frm->findChild<QCheckBox *>("AutoRec");
        autoRec->setChecked(true);
        ConnectAndStream();
        Button("Connect")->click();
        server->SendToAll("*TXT,a line that completes a stop waiting for one\r\n");
        ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Connect"; }));
        EXPECT_TRUE(Button("Connect")->isEnabled());
        EXPECT_TRUE(Button("BtnClose")->isEnabled());
        // The farewell and a time-stamp block end the log.
        EXPECT_TRUE(LogText().contains(QRegularExpression("Disconnected from VELMAR\\.\\.\\. Bye!\n---- [^\n]+---- \n $")))
            << LogText().toStdString();
        EXPECT_FALSE(LogText().contains("Reconnecting in 1 minute..."));
        EXPECT_FALSE(frm->findChild<QTimer *>("TimerRecon")->isActive());
        EXPECT_TRUE(autoRec->isChecked());
        ASSERT_TRUE(WaitFor([&] { return server->ClientCount() == 0; }));

        writes.clear();
        ConnectAndStream();
        server->DropClients();
        ASSERT_TRUE(WaitFor([&] { return Button("Connect")->text() == "Auto"; }));
        EXPECT_TRUE(frm->findChild<QTimer *>("TimerRecon")->isActive());
        EXPECT_EQ(LogText().count("Reconnecting in 1 minute..."), 1);
    }
}

// While the no-data check holds a stall, the monitor's decisions keep "information not
// available" on show instead of bringing back the last mode every minute.
TEST_F(SessionTest, TheStatusStaysInfoNAThroughAStall)
{
    StartServer({sbas::PrnMask({1}, 0), SbasFrame(8)}, {});
    StartClient();
    frm->SisMonitor().State.Receiving = true; // as after a connection
    frm->HandleMsgLine("*MSG,2443,100,53FC");
    for (int tick = 0; tick < 60; ++tick)
        frm->Timer1secTimer();
    ASSERT_EQ(frm->SisModeForm()->VisibleMode(), "ModeSOL");
    frm->SISCheckerTimer();
    frm->SISCheckerTimer(); // the time is the same: stalled
    ASSERT_EQ(frm->SisModeForm()->VisibleMode(), "InfoNA");
    for (int minute = 1; minute <= 6; ++minute) {
        for (int tick = 0; tick < 60; ++tick) {
            clock.AdvanceSeconds(1);
            frm->Timer1secTimer();
            ASSERT_EQ(frm->SisModeForm()->VisibleMode(), "InfoNA") << "minute " << minute << ", second " << tick;
        }
        frm->SISCheckerTimer();
    }
    EXPECT_EQ(LogText().count("Base Station / No SIS failure detected..."), 1);
}

TEST_F(SessionTest, CloseCommandDeclaresInfoNAOncePerConnection)
{
    StartServer({SbasFrame(8)}, {});
    StartClient();
    frm->SisModeForm()->SetMode("Mode SOL", true, 1);
    frm->BtnCloseClick();
    EXPECT_EQ(frm->SisModeForm()->VisibleMode(), "InfoNA");
    frm->SisModeForm()->SetMode("Mode SOL", true, 1);
    frm->BtnCloseClick(); // already declared
    EXPECT_EQ(frm->SisModeForm()->VisibleMode(), "ModeSOL");
}

TEST_F(SessionTest, PortWithoutGeoRowShowsNoGeo)
{
    StartServer({SbasFrame(8)}, {});
    StartClient();
    frm->GeoTableRef().Row(1).port = "1";
    Button("Connect")->click();
    EXPECT_EQ(frm->findChild<QLineEdit *>("GEO_PRN")->text(), "0");
    EXPECT_EQ(frm->findChild<QLineEdit *>("GEO_Name")->text(), "NA");
    EXPECT_EQ(frm->findChild<QLineEdit *>("SBAS_System")->text(), "NA");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
