// The overview window offscreen: opened from the View menu, filled from messages through the
// intake, redrawn at most once a second, and the grid export.
#include "support/window_fixture.h"

#include "grid_map_forms.h"
#include "column_fit.h"
#include "history_plot.h"
#include "overview_form.h"
#include "table_export.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QLineSeries>
#include <QPushButton>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QHeaderView>

#include <sys/stat.h>

namespace {

class OverviewTest : public WindowTest {
protected:
    TFrmOverview &Overview() { return *frm.OverviewForm(); }
    QTableWidget *Grid(const char *name) { return Overview().Grid(name); }
    static QString CellOf(QTableWidget *grid, int row, int column) { return TMessageWindow::CellText(grid, row, column); }

    void FeedSatellites()
    {
        Feed(sbas::PrnMask({3, 9, 40}, 0));
        TFastCorDegFactors d;
        d.DegradationIndicator.fill(14);
        Feed(sbas::DegradationFactors(d));
        sbas::FastCorrectionsMsg m;
        m.prc = {1.5, -0.25, 2};
        m.udrei = {3, 15, 4};
        Feed(sbas::FastCorrections(m));
    }
    int RowOfSlot(int slot)
    {
        for (int r = 1; r < Grid("Satellites")->rowCount(); ++r)
            if (CellOf(Grid("Satellites"), r, 0) == QString::number(slot))
                return r;
        return -1;
    }
};

TEST_F(OverviewTest, OpensFromTheViewMenuAndTheToolbarAfterType28)
{
    QMenu *view = nullptr;
    for (QAction *a : frm.menuBar()->actions())
        if (a->text() == "&View")
            view = a->menu();
    ASSERT_NE(view, nullptr);
    const QList<QAction *> items = view->actions();
    const auto at = std::find_if(items.begin(), items.end(), [](QAction *a) { return a->objectName() == "MnuMT28"; });
    ASSERT_NE(at, items.end());
    ASSERT_NE(at + 1, items.end());
    EXPECT_EQ((*(at + 1))->text(), "Signal Overview");
    EXPECT_EQ((*(at + 1))->objectName(), "MnuOverview");

    auto *button = frm.findChild<QToolButton *>("TbOverview");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->accessibleName(), "Signal Overview");
    QToolBar *bar = frm.findChild<QToolBar *>("ToolBar");
    const QList<QAction *> tools = bar->actions();
    const int mt28 = tools.indexOf(bar->actions().at(0)) >= 0 ? static_cast<int>(tools.indexOf(
        *std::find_if(tools.begin(), tools.end(), [bar](QAction *a) { return bar->widgetForAction(a) &&
                                                      bar->widgetForAction(a)->objectName() == "TbMT28"; }))) : -1;
    ASSERT_GE(mt28, 0);
    EXPECT_EQ(bar->widgetForAction(tools.at(mt28 + 1)), button);

    EXPECT_FALSE(Overview().isVisible());
    (*(at + 1))->trigger();
    EXPECT_TRUE(Overview().isVisible());
    EXPECT_EQ(Overview().windowTitle(), "Signal Overview");
}

TEST_F(OverviewTest, RowsFollowTheMessages)
{
    FeedSatellites();
    Feed(SbasFrame(63));
    frm.HandleMsgLine("*MSG,2443,900,|4");                           // not expandable
    frm.HandleMsgLine("*MSG,2443,901," + std::string(70, 'A'));      // too long for a message
    Overview().show();

    QTableWidget *types = Grid("Types");
    QStringList seen;
    for (int r = 1; r < types->rowCount(); ++r)
        seen << CellOf(types, r, 0);
    EXPECT_EQ(seen, (QStringList{"1", "2", "7", "63"}));
    EXPECT_EQ(CellOf(types, 2, 1), "1");
    EXPECT_EQ(CellOf(types, 2, 5), "0"); // the encoder's parity holds

    QTableWidget *feed = Grid("Feed");
    EXPECT_EQ(CellOf(feed, 5, 0), "Over-long lines");
    EXPECT_EQ(CellOf(feed, 5, 1), "1");
    EXPECT_EQ(CellOf(feed, 6, 1), "1");

    QTableWidget *sats = Grid("Satellites");
    ASSERT_EQ(sats->rowCount(), 4);
    struct Expect {
        int slot;
        const char *system, *prn, *prc, *verdict, *reason;
    } const expected[] = {
        {3, "GPS", "3", "1.5", "not usable", "no long-term correction"},
        {9, "GPS", "9", "-0.25", "not usable", "UDREI 15: do not use"},
        {40, "GLONASS", "3", "2", "not usable", "no long-term correction"},
    };
    for (const Expect &e : expected) {
        const int r = RowOfSlot(e.slot);
        ASSERT_GT(r, 0) << e.slot;
        EXPECT_EQ(CellOf(sats, r, 1), e.system);
        EXPECT_EQ(CellOf(sats, r, 2), e.prn);
        EXPECT_EQ(CellOf(sats, r, 3), e.prc);
        EXPECT_EQ(CellOf(sats, r, 6), "12");
        EXPECT_EQ(CellOf(sats, r, 10), e.verdict);
        EXPECT_EQ(CellOf(sats, r, 11), e.reason);
        EXPECT_EQ(sats->item(r, 10)->background().color(), QColor(240, 160, 160));
    }

    // A satellite chosen in the grid is plotted.
    sats->setCurrentCell(RowOfSlot(3), 0);
    Overview().findChild<QPushButton *>("PlotSatellite")->click();
    EXPECT_EQ(Overview().History().Shown(), TFrmHistory::Subject::Satellite);
    EXPECT_EQ(Overview().History().Key(), 3);
    EXPECT_EQ(Overview().History().Chart()->series().size(), 2);

    // A reset forgets what was received; the mask, kept by the main window, still lists the slots.
    Overview().Reset();
    Overview().Redraw();
    EXPECT_EQ(types->rowCount(), 1);
    EXPECT_EQ(CellOf(types, 0, 0), "Type");
    ASSERT_EQ(sats->rowCount(), 4);
    EXPECT_EQ(CellOf(sats, 1, 3), "");
    EXPECT_EQ(CellOf(sats, 1, 11), "no fast correction");
}

TEST_F(OverviewTest, EveryColumnOfTheTypeTableIsWhollyInViewAtTheDefaultSize)
{
    FeedSatellites();
    for (int i = 0; i < 12; ++i)
        Feed(SbasFrame(63)); // a longest gap and a rate with decimals
    Overview().show();
    QApplication::processEvents();
    QTableWidget *types = Grid("Types");
    ASSERT_GT(types->rowCount(), 1);
    const QHeaderView *header = types->horizontalHeader();
    for (int c = 0; c < types->columnCount(); ++c) {
        const QString heading = CellOf(types, 0, c);
        EXPECT_GE(types->columnWidth(c), header->sectionSizeHint(c)) << heading.toStdString();
        EXPECT_GE(types->viewport()->width(), types->columnViewportPosition(c) + types->columnWidth(c))
            << heading.toStdString() << " runs past the edge of a window " << Overview().width() << " wide";
    }
}

TEST_F(OverviewTest, TheType10ParametersAreShownOneARow)
{
    TDegradationFactors p;
    p.Brrc = 0.108;    // 54 x 0.002 m
    p.Cltc_lsb = 0.076; // 38 x 0.002 m
    p.Cltc_v1 = 0.0038; // 76 x 0.00005 m/s
    p.Iltc_v1 = 256;    // 256 x 1 s
    p.Cer = 3;          // 6 x 0.5 m
    p.RSS_UDRE = 1;
    Feed(sbas::DegradationParameters(p));
    Overview().show();

    const std::pair<const char *, const char *> rows[] = {
        {"Type 10: B_rcc (m)", "0.108"},   {"Type 10: C_ltc_lsb (m)", "0.076"}, {"Type 10: C_ltc_v1 (m/s)", "0.0038"},
        {"Type 10: I_ltc_v1 (s)", "256"}, {"Type 10: C_er (m)", "3"},          {"Type 10: RSS_UDRE", "1"}};
    QTableWidget *feed = Grid("Feed");
    ASSERT_EQ(feed->rowCount(), 12 + 6);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const int r = 12 + static_cast<int>(i);
        EXPECT_EQ(CellOf(feed, r, 0).toStdString(), rows[i].first);
        EXPECT_EQ(CellOf(feed, r, 1).toStdString(), rows[i].second) << rows[i].first;
    }
}

TEST_F(OverviewTest, RedrawnAtMostOnceASecond)
{
    TickSource &second = TicksByHand(Overview(), "OverviewRedraw");
    FeedSatellites();
    Overview().show();
    const int before = Overview().Redraws();
    // A flood over two and a half seconds: redrawn when each second is up, not in between.
    for (int i = 0; i < 250; ++i) {
        if (i > 0 && i % 100 == 0) {
            EXPECT_TRUE(second.Step());
        }
        Feed(SbasFrame(63));
        QApplication::processEvents();
    }
    EXPECT_EQ(Overview().Redraws() - before, 2);
    EXPECT_TRUE(second.Step());
    EXPECT_EQ(Overview().Redraws() - before, 3);
    // Nothing new: no redraw at all.
    const int idle = Overview().Redraws();
    EXPECT_TRUE(second.Step());
    EXPECT_TRUE(second.Step());
    EXPECT_EQ(Overview().Redraws(), idle);
    // Hidden: not redrawn.
    Overview().hide();
    Feed(SbasFrame(63));
    EXPECT_TRUE(second.Step());
    EXPECT_EQ(Overview().Redraws(), idle);
}

TEST_F(OverviewTest, GridsExportWithTheirHeadings)
{
    FeedSatellites();
    Overview().show();
    QTableWidget *sats = Grid("Satellites");
    const int r = RowOfSlot(9);
    sats->clearSelection();
    sats->setSelectionBehavior(QAbstractItemView::SelectItems);
    for (const int c : {0, 10, 11})
        sats->item(r, c)->setSelected(true);
    sats->setFocus();
    QTest::keyClick(sats, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Slot\tVerdict\tReason\n9\tnot usable\tUDREI 15: do not use\n");

    // Selecting the heading row too does not repeat it.
    sats->item(0, 0)->setSelected(true);
    EXPECT_EQ(SelectionAsTsv(*sats), "Slot\tVerdict\tReason\n9\tnot usable\tUDREI 15: do not use\n");

    // A grid named down the side keeps the names when only values are chosen.
    QTableWidget *feed = Grid("Feed");
    feed->clearSelection();
    feed->item(5, 1)->setSelected(true);
    EXPECT_EQ(SelectionAsTsv(*feed), "Over-long lines\t0\n");

    // Save as CSV from the context menu of a message window's grid, through the file dialog.
    QTableWidget *mt07 = W<TMessageWindow>("FrmMT07").Grid("Table");
    W<TMessageWindow>("FrmMT07").show();
    QAction *save = mt07->findChild<QAction *>("SaveTableAsCsv");
    ASSERT_NE(save, nullptr);
    EXPECT_TRUE(mt07->actions().contains(save));
    EXPECT_EQ(mt07->contextMenuPolicy(), Qt::ActionsContextMenu);
    const QString path = QDir::current().filePath("mt07.csv");
    ui.onSaveFile = [&] { return path; };
    save->trigger();
    EXPECT_EQ(ui.saveDialogs, (QStringList{"CSV (*.csv)|csv"}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("PRN")) << lines[0].toStdString();
    EXPECT_EQ(lines[0].count(','), mt07->columnCount() - 1);
    EXPECT_TRUE(lines[1].startsWith("3,14,0.0046,")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("9,14,")) << lines[2].toStdString();

    // Cancelled: nothing written, nothing said.
    ui.onSaveFile = [] { return QString(); };
    QFile::remove(path);
    save->trigger();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(ui.messages.isEmpty());

    EXPECT_EQ(GridAsCsv(*sats).split('\n').first(), "Slot,System,PRN,PRC (m),UDREI,PRC age (s),Time-out (s),eps_fc (m),"
                                                    "Long-term,Covariance,Verdict,Reason,UDREI age / time-out (s),"
                                                    "Long-term age / time-out (s),Covariance age / time-out (s)");
}

TEST_F(OverviewTest, AGridPointChosenInTheType26TableIsPlotted)
{
    sbas::IgpMaskMsg mask;
    mask.points = {4, 7};
    Feed(sbas::IgpMask(mask));
    sbas::IonoDelayMsg delays;
    delays.delay[0] = 3.25;
    delays.delay[1] = 1.5;
    Feed(sbas::IonosphericDelays(delays));
    delays.delay[0] = 3.5;
    Feed(sbas::IonosphericDelays(delays));
    auto &mt26 = W<TFrmMT26>("FrmMT26");
    QTableWidget *table = mt26.Grid("Table");
    Painted(mt26, table); // a hidden window writes its values only when it is opened
    ASSERT_EQ(TMessageWindow::CellText(table, 1, 0), "4");
    Q_EMIT table->cellDoubleClicked(1, 2);
    const TFrmHistory &plot = Overview().History();
    EXPECT_EQ(plot.Shown(), TFrmHistory::Subject::GridPoint);
    EXPECT_EQ(plot.Key(), 4);
    EXPECT_TRUE(plot.isVisible());
    const HistorySeries *delay = Overview().Model().VerticalDelay(4);
    ASSERT_NE(delay, nullptr);
    ASSERT_EQ(delay->Points().size(), 2u);
    EXPECT_DOUBLE_EQ(delay->Points().back().value, 3.5);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

namespace {

TEST_F(OverviewTest, ARedrawReplacesThePointsOfTheSameCurvesAndOtherCurvesReplaceThem)
{
    FeedSatellites();
    Overview().PlotSatellite(3);
    const QList<QAbstractSeries *> before = Overview().History().Chart()->series();
    ASSERT_EQ(before.size(), 2);
    const auto points = [&] { return static_cast<QLineSeries *>(Overview().History().Chart()->series()[0])->count(); };
    EXPECT_EQ(points(), 1);

    sbas::FastCorrectionsMsg m;
    m.prc = {1.75, -0.25, 2};
    m.udrei = {3, 15, 4};
    Feed(sbas::FastCorrections(m));
    Overview().History().Redraw();
    EXPECT_EQ(Overview().History().Chart()->series(), before);
    EXPECT_EQ(points(), 2);
    EXPECT_EQ(Overview().History().Chart()->axes().size(), 2);

    Overview().PlotRates();
    const QList<QAbstractSeries *> rates = Overview().History().Chart()->series();
    ASSERT_FALSE(rates.empty());
    EXPECT_EQ(rates[0]->name(), "MT 1");
    EXPECT_EQ(Overview().History().Chart()->axes().size(), 2);
}

TEST_F(OverviewTest, ColumnsAreFittedAgainOnlyWhenALongestTextChangesLength)
{
    QTableWidget grid(2, 1);
    grid.setItem(0, 0, new QTableWidgetItem("12.5"));
    ColumnFit fit;
    fit.Apply(grid);
    const int fitted = grid.columnWidth(0);

    grid.setColumnWidth(0, fitted + 40); // a width the user chose
    grid.item(0, 0)->setText("13.5");
    fit.Apply(grid);
    EXPECT_EQ(grid.columnWidth(0), fitted + 40) << "digits changed in place: left as it is";

    grid.setItem(1, 0, new QTableWidgetItem("a reason much longer than any number"));
    fit.Apply(grid);
    EXPECT_GT(grid.columnWidth(0), fitted + 40);
    const int wide = grid.columnWidth(0);

    delete grid.takeItem(1, 0);
    fit.Apply(grid);
    EXPECT_LT(grid.columnWidth(0), wide) << "the longest text went: fitted again";
}

} // namespace

namespace {

// A FIFO nobody reads, chosen as the file to save to, is refused at once with the usual message.
TEST_F(OverviewTest, SavingATableIntoAFifoFailsAtOnce)
{
    const QString path = cwd.Path("table.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    ui.onSaveFile = [&] { return path; };
    W<TMessageWindow>("FrmMT07").Grid("Table")->findChild<QAction *>("SaveTableAsCsv")->trigger();
    EXPECT_EQ(ui.messages, QStringList{"The table could not be saved as " + path + ": not a regular file"});
}

} // namespace
