// The live watch in the windows, offscreen: test mode and update intervals in the overview,
// grid points not received kept apart from "Do Not Use", and the Signal Events window after the
// overview, filled from the messages through the intake.
#include "support/window_fixture.h"

#include "overview_form.h"
#include "text/display_text.h"
#include "event_notifier.h"
#include "givei_map.h"
#include "grid_map_forms.h"
#include "signal_events_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>

namespace {

class WatchWindowTest : public WindowTest {
protected:
    TFrmOverview &Overview() { return *frm.OverviewForm(); }
    QTableWidget *Grid(const char *name) { return Overview().Grid(name); }
    static QString CellOf(QTableWidget *grid, int row, int column) { return TMessageWindow::CellText(grid, row, column); }
    int RowOf(QTableWidget *grid, const QString &first)
    {
        for (int r = 1; r < grid->rowCount(); ++r)
            if (CellOf(grid, r, 0) == first)
                return r;
        return -1;
    }
    void Nulls(int n)
    {
        for (int i = 0; i < n; ++i)
            Feed(SbasFrame(63));
    }
    // Slots 3 and 9 corrected, with type 7 indicators: usable but for the long-term corrections.
    void FeedSatellites()
    {
        Feed(sbas::PrnMask({3, 9}, 0));
        TFastCorDegFactors d;
        d.DegradationIndicator.fill(14);
        Feed(sbas::DegradationFactors(d));
        sbas::FastCorrectionsMsg m;
        m.prc = {1.5, -0.25};
        m.udrei = {3, 4};
        Feed(sbas::FastCorrections(m));
    }
};

TEST_F(WatchWindowTest, TestModeIsSaidInWordsAndColourAndNoSatelliteIsUsable)
{
    FeedSatellites(); // a type 2 at second 102: the GEO's own corrections, so "Mode 0/0"
    Feed(SbasFrame(0)); // second 103
    Nulls(1);           // second 104
    Overview().show();
    Overview().Redraw();
    auto *label = Overview().findChild<QLabel *>("TestMode");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->accessibleName(), "Test mode");
    EXPECT_EQ(label->text(), "Test mode (Mode 0/0): type 0 received 1 s ago, no satellite is for safety use");
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(250, 200, 120));
    QTableWidget *sats = Grid("Satellites");
    for (const int slot : {3, 9}) {
        const int r = RowOf(sats, QString::number(slot));
        ASSERT_GT(r, 0) << slot;
        EXPECT_EQ(CellOf(sats, r, 10), "not usable");
        EXPECT_EQ(CellOf(sats, r, 11), "type 0: not for safety use");
    }

    // A minute and a second later (second 164) the type 0 no longer counts; fresh fast
    // corrections leave the long-term ones to say why not.
    Nulls(59);
    sbas::FastCorrectionsMsg m;
    m.prc = {1.5, -0.25};
    m.udrei = {3, 4};
    Feed(sbas::FastCorrections(m));
    Overview().Redraw();
    EXPECT_EQ(label->text(), "Not in test mode: no type 0 within the last 60 s");
    EXPECT_NE(label->palette().color(QPalette::Window), QColor(250, 200, 120));
    EXPECT_EQ(CellOf(sats, RowOf(sats, "3"), 11), "no long-term correction");
}

TEST_F(WatchWindowTest, TheTypeTableGivesEachTypesMaximumIntervalAndCountsNoneBetweenAnswers)
{
    // Not connected: every message here is taken as an answer to the requests, whose times are
    // in no order, so 131 s between two masks is no interval (the live stream's are counted in
    // the watch's own tests).
    Feed(sbas::PrnMask({3}, 0)); // second 100
    Nulls(130);                  // 101 to 230
    Feed(sbas::PrnMask({3}, 0)); // 231
    Overview().show();
    Overview().Redraw();
    QTableWidget *types = Grid("Types");
    EXPECT_EQ(CellOf(types, 0, 6), "Max interval (s)");
    EXPECT_EQ(CellOf(types, 0, 7), "Over max");
    const int mask = RowOf(types, "1");
    ASSERT_GT(mask, 0);
    EXPECT_EQ(CellOf(types, mask, 6), "120");
    EXPECT_EQ(CellOf(types, mask, 4), "131") << "the longest gap, answers or not";
    EXPECT_EQ(CellOf(types, mask, 7), "0");
    const int nulls = RowOf(types, "63");
    ASSERT_GT(nulls, 0);
    EXPECT_EQ(CellOf(types, nulls, 6), "none");
    EXPECT_EQ(CellOf(types, nulls, 7), "");
    auto *udrei = Overview().findChild<QLabel *>("UdreiIntervals");
    ASSERT_NE(udrei, nullptr);
    EXPECT_EQ(udrei->text(), "UDREI: longest interval 0 s, 0 over 6 s");
}

TEST_F(WatchWindowTest, GridPointsNotReceivedAreToldApartFromDoNotUse)
{
    sbas::IgpMaskMsg mask;
    for (int p = 0; p < 16; ++p) // one more than a block of type 26 holds: point 15 gets none
        mask.points.insert(p);
    mask.iodi = 1;
    Feed(sbas::IgpMask(mask));
    sbas::IonoDelayMsg delays;
    delays.iodi = 1;
    delays.delay[0] = 1.5;
    delays.givei[0] = 3;
    delays.delay[1] = 63.875; // "do not use"
    delays.givei[1] = 3;
    delays.delay[2] = 2;
    delays.givei[2] = 15; // not monitored
    Feed(sbas::IonosphericDelays(delays));
    Nulls(4); // 4 s later
    Overview().show();
    Overview().Redraw();
    QTableWidget *points = Grid("GridPoints");
    EXPECT_EQ(points->rowCount(), 1) << "a page behind the other is not written";
    Overview().findChild<QTabWidget *>("OverviewPages")->setCurrentIndex(1); // written as it comes to the front


    ASSERT_EQ(points->rowCount(), 1 + 16);
    const struct {
        int row;
        const char *entry, *age, *givei, *state;
        QColor colour;
    } expected[] = {
        {1, "0", "4 / 600", "3", "monitored", QColor(160, 230, 160)},
        {2, "1", "4 / 600", "3", "Do Not Use", QColor(240, 160, 160)},
        {3, "2", "4 / 600", "15", "Not Monitored", QColor(190, 190, 240)},
        {16, "15", "", "", "not received yet", QColor(215, 215, 215)},
    };
    for (const auto &e : expected) {
        EXPECT_EQ(CellOf(points, e.row, 0), e.entry);
        EXPECT_EQ(CellOf(points, e.row, 4), e.age) << e.entry;
        EXPECT_EQ(CellOf(points, e.row, 5), e.givei) << e.entry;
        EXPECT_EQ(CellOf(points, e.row, 6), e.state) << e.entry;
        EXPECT_EQ(points->item(e.row, 6)->background().color(), e.colour) << e.entry;
    }

    // The en-route column gives the same 600 s for type 26; the choice reaches the watch.
    auto *column = Overview().findChild<QComboBox *>("TimeoutColumn");
    ASSERT_NE(column, nullptr);
    column->setCurrentIndex(1);
    EXPECT_EQ(Overview().Model().Watch().TimeoutColumn(), Column::EnRouteToNonPrecision);
}

TEST_F(WatchWindowTest, TheGiveiPageOfTheType26WindowReadsEachPointWithItsAge)
{
    sbas::IgpMaskMsg mask;
    mask.points = {0, 1, 20};
    mask.iodi = 1;
    Feed(sbas::IgpMask(mask));
    sbas::IonoDelayMsg delays;
    delays.iodi = 1;
    delays.delay[0] = 1.5;
    delays.givei[0] = 9;
    delays.delay[1] = 63.875;
    delays.givei[1] = 14;
    Feed(sbas::IonosphericDelays(delays)); // block 0 holds all three points
    Nulls(3);

    auto &mt26 = W<TFrmMT26>("FrmMT26");
    auto *pages = mt26.findChild<QTabWidget *>("Pages");
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), "World Map") << "the map page stays first, as it was";
    EXPECT_EQ(pages->tabText(2), "GIVEI and age");
    auto *map = mt26.findChild<GiveiMap *>("GiveiMap");
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->accessibleName(), "Grid points by GIVEI and age");
    mt26.show();
    pages->setCurrentIndex(2);
    QApplication::processEvents();

    const IGPEntry &first = frm.Igp().entry[0];
    EXPECT_EQ(map->Readout(0), QString("IGP 0: %1 %2, GIVEI 9, delay 1.5 m, 3 s old (time-out 600 s)")
                                   .arg(QString::fromStdString(LatitudeText(first.Latitude)),
                                        QString::fromStdString(LongitudeText(first.Longitude))));
    EXPECT_TRUE(map->Readout(1).contains(", GIVEI 14, delay Do Not Use, 3 s old (time-out 600 s)"))
        << map->Readout(1).toStdString();
    EXPECT_EQ(map->PointAt(map->Position(0)), 0);
    EXPECT_EQ(map->PointAt(map->Position(0) + QPointF(40, 40)), -1) << "far from every mark";

    // The pointer over a point gives its read-out.
    QMouseEvent move(QEvent::MouseMove, map->Position(0), map->mapToGlobal(map->Position(0)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(map, &move);
    EXPECT_EQ(map->ReadoutLabel()->text(), map->Readout(0));
    EXPECT_EQ(map->ReadoutLabel()->objectName(), "GiveiReadout");

    // Marks scale with the window: at twice the size a point lies twice as far from the centre.
    const QPointF small = map->Position(0) - QPointF(map->width() / 2.0, map->height() / 2.0);
    map->resize(map->width() * 2, map->height() * 2);
    const QPointF large = map->Position(0) - QPointF(map->width() / 2.0, map->height() / 2.0);
    EXPECT_NEAR(large.x(), 2 * small.x(), 1);
    EXPECT_NEAR(large.y(), 2 * small.y(), 1);
}

TEST(GiveiScale, GreenThroughRedAndNotMonitoredBlack)
{
    EXPECT_EQ(GiveiColour(0).hue(), 120);
    EXPECT_EQ(GiveiColour(7).hue(), 60); // half-way: yellow
    EXPECT_EQ(GiveiColour(14).hue(), 0);
    EXPECT_EQ(GiveiColour(15), QColor(0, 0, 0));
}

TEST_F(WatchWindowTest, SignalEventsOpensAfterTheOverviewAndFiltersByKind)
{
    QMenu *view = nullptr;
    for (QAction *a : frm.menuBar()->actions())
        if (a->text() == "&View")
            view = a->menu();
    ASSERT_NE(view, nullptr);
    const QList<QAction *> items = view->actions();
    const auto at =
        std::find_if(items.begin(), items.end(), [](QAction *a) { return a->objectName() == "MnuOverview"; });
    ASSERT_NE(at, items.end());
    ASSERT_NE(at + 1, items.end());
    EXPECT_EQ((*(at + 1))->text(), "Signal Events");
    EXPECT_EQ((*(at + 1))->objectName(), "MnuEvents");
    QToolBar *bar = frm.findChild<QToolBar *>("ToolBar");
    const QList<QAction *> tools = bar->actions();
    int overview = -1;
    for (int i = 0; i < tools.size(); ++i)
        if (bar->widgetForAction(tools[i]) && bar->widgetForAction(tools[i])->objectName() == "TbOverview")
            overview = i;
    ASSERT_GE(overview, 0);
    ASSERT_LT(overview + 1, tools.size());
    auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(tools[overview + 1]));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->objectName(), "TbEvents");
    EXPECT_EQ(button->accessibleName(), "Signal Events");

    Feed(SbasFrame(0));          // second 100: test mode entered
    Feed(sbas::PrnMask({3}, 0)); // 101
    Feed(sbas::PrnMask({3}, 1)); // 102: IODP 0 to 1
    (*(at + 1))->trigger();
    auto *events = frm.findChild<TFrmEvents *>();
    ASSERT_NE(events, nullptr);
    ASSERT_TRUE(events->isVisible());
    QTableWidget *grid = events->Grid("Events");
    EXPECT_NE(grid->findChild<QAction *>("SaveTableAsCsv"), nullptr) << "Ctrl+C and Save as CSV as every grid";
    auto rowOf = [&](const QString &kind) {
        for (int r = 1; r < grid->rowCount(); ++r)
            if (CellOf(grid, r, 2) == kind)
                return r;
        return -1;
    };
    const int test = rowOf("Test mode");
    ASSERT_GT(test, 0);
    // GPS week 2443, second 100: 2026-11-01 00:01:40 (week 2443 begins on Sunday 1 November 2026).
    EXPECT_EQ(CellOf(grid, test, 0), "2026-11-01 00:01:40");
    EXPECT_EQ(CellOf(grid, test, 3), "type 0");
    EXPECT_EQ(CellOf(grid, test, 4), "no type 0 within 60 s");
    EXPECT_EQ(CellOf(grid, test, 5), "Mode 0/2: test mode, not for safety use");
    const int iodp = rowOf("Issue of data");
    ASSERT_GT(iodp, 0);
    EXPECT_EQ(CellOf(grid, iodp, 3), "IODP (type 1)");
    EXPECT_EQ(CellOf(grid, iodp, 4), "0");
    EXPECT_EQ(CellOf(grid, iodp, 5), "1");

    QCheckBox *show = events->ShowBox(EventKind::TestMode);
    EXPECT_EQ(show->objectName(), "ShowTestMode");
    EXPECT_EQ(show->accessibleName(), "Show Test mode events");
    show->click();
    EXPECT_EQ(rowOf("Test mode"), -1) << "unticked: its rows go at once";
    EXPECT_GT(rowOf("Issue of data"), 0);
    show->click();
    EXPECT_GT(rowOf("Test mode"), 0);

    // Events that come while the window is shown are added at its next second.
    Feed(sbas::PrnMask({3, 9}, 2)); // 103: IODP 1 to 2, slot 9 added
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowOf("Mask") > 0; }, 5000));
}

// A flood of events between two seconds: the grid shows those the log still keeps, oldest first,
// and no more.
TEST_F(WatchWindowTest, MoreEventsInASecondThanTheLogKeepsLeaveTheLatestInTheGrid)
{
    auto *events = frm.findChild<TFrmEvents *>();
    ASSERT_NE(events, nullptr);
    events->show();
    const EventLog &log = Overview().Model().Watch().Events();
    for (int iodp = 0; log.Next() < EventLog::kCapacity + 500; iodp = (iodp + 1) % 4)
        Feed(sbas::PrnMask({3}, iodp)); // an IODP change every second
    const uint64_t next = log.Next();
    QTableWidget *grid = events->Grid("Events");
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid->rowCount() == 1 + static_cast<int>(log.Events().size()); }, 5000))
        << grid->rowCount() << " rows for " << log.Events().size() << " events kept";
    ASSERT_EQ(log.Next(), next);
    EXPECT_EQ(CellOf(grid, 1, 0), QString::fromStdString(GpsTimeText(log.Events().front().time)));
    EXPECT_EQ(CellOf(grid, grid->rowCount() - 1, 0), QString::fromStdString(GpsTimeText(log.Events().back().time)));
    EXPECT_EQ(CellOf(grid, grid->rowCount() - 1, 5), QString::fromStdString(log.Events().back().to));
}

TEST_F(WatchWindowTest, TickedKindsAreNotifiedOnTheDesktopOnceEach)
{
    auto *events = frm.findChild<TFrmEvents *>();
    ASSERT_NE(events, nullptr);
    events->NotifyBox(EventKind::TestMode)->setChecked(true);
    Feed(SbasFrame(0));          // test mode entered: notified
    Feed(sbas::PrnMask({3}, 0));
    Feed(sbas::PrnMask({3}, 1)); // IODP changed: not ticked
    events->Tick();
    EXPECT_EQ(events->Notifier().Notifications(), 1);
    EXPECT_EQ(events->Notifier().LastText(),
              "Test mode: type 0: no type 0 within 60 s → Mode 0/2: test mode, not for safety use");
    events->Tick();
    EXPECT_EQ(events->Notifier().Notifications(), 1) << "nothing new: no second notification";
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
