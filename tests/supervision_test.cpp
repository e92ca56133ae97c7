// The supervision handlers, driven directly with a clock the test moves.
#include "support/session_fixture.h"

#include "sis_mode_form.h"
#include "text_frm.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>

namespace {

TEST_F(SessionTest, StalledFeedIsDeclaredOnceAndClearedByNewData)
{
    StartServer({sbas::PrnMask({1}, 0), SbasFrame(8)}, {});
    StartClient();
    frm->HandleMsgLine("*MSG,2443,100,53FC");
    auto msgStyle = [&] { return frm->findChild<QLineEdit *>("Msg")->styleSheet(); };
    frm->SISCheckerTimer(); // the time changed since the last check
    EXPECT_TRUE(msgStyle().contains("black"));
    frm->SISCheckerTimer();
    frm->SISCheckerTimer();
    EXPECT_TRUE(msgStyle().contains("red"));
    EXPECT_EQ(LogText().count("Base Station / No SIS failure detected..."), 1);
    EXPECT_EQ(frm->SisModeForm()->VisibleMode(), "InfoNA");
    EXPECT_FALSE(frm->SisMonitor().State.Receiving);
    EXPECT_DOUBLE_EQ(frm->SisMonitor().State.OutageStart, clock.now);

    frm->HandleMsgLine("*MSG,2443,101,53FC");
    frm->SISCheckerTimer();
    EXPECT_TRUE(msgStyle().contains("black"));
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

TEST_F(SessionTest, AStopIsNotCarriedOverIntoAnAutomaticReconnection)
{
    StartServer({sbas::PrnMask({1}, 0), SbasFrame(8)}, {});
    StartClient();
    frm->findChild<QCheckBox *>("AutoRec")->setChecked(true);
    ConnectAndStream();
    Button("Connect")->click(); // subscribe: closed at once, and with Auto-Reconnect...
    EXPECT_EQ(Button("Connect")->text(), "Auto");
    frm->TimerReconTimer(); // ...connected again a minute later
    ASSERT_TRUE(WaitFor([&] { return LogText().count("USER IS AUTHORISED") == 2; }));
    // A stop carried over would close the connection as this line is handled.
    server->SendToAll("*TXT,a line after the reconnection\r\n");
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm() && frm->TextForm()->Text().endsWith("reconnection"); }));
    EXPECT_EQ(Button("Connect")->text(), "Disconnect");
    // A second line comes through the same connection: still open at both ends.
    server->SendToAll("*TXT,and one more\r\n");
    ASSERT_TRUE(WaitFor([&] { return frm->TextForm()->Text().endsWith("and one more"); }));
    EXPECT_EQ(Button("Connect")->text(), "Disconnect");
    EXPECT_EQ(server->ClientCount(), 1);
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
