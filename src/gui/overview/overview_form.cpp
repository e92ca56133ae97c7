#include "overview_form.h"

#include "history_plot.h"
#include "mops/gpstime.h"
#include "mops/mt10.h"
#include "text/display_text.h"
#include "text/number_text.h"
#include "tick_source.h"
#include "watch/watch_words.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

#include <cmath>

namespace {

// The longest gap of a type is its longest interval: beside it, the most the type may stay away
// and how many of its intervals in the live stream were longer.
const QStringList kTypeHeadings = {"Type",           "Count",           "Per minute (10 min)", "Last (GPS time)",
                                   "Longest gap (s)", "Parity failures", "Max interval (s)",    "Over max"};
const QStringList kFeedLabels = {"Missing seconds", "Gaps", "Longest gap (s)", "Duplicates", "Steps back in time",
                                 "Over-long lines", "PARDO errors", "Parity failures", "Broadcast mode",
                                 "Mode since (GPS time)", "Latest message (GPS time)", "System latency (s)"};
const QStringList kSatelliteHeadings = {"Slot", "System", "PRN", "PRC (m)", "UDREI", "PRC age (s)", "Time-out (s)",
                                        "eps_fc (m)", "Long-term", "Covariance", "Verdict", "Reason",
                                        "UDREI age / time-out (s)", "Long-term age / time-out (s)",
                                        "Covariance age / time-out (s)"};
constexpr int kVerdictColumn = 10;
const QStringList kGridPointHeadings = {"Entry", "Band", "Latitude", "Longitude", "Age / time-out (s)", "GIVEI",
                                        "State"};
constexpr int kStateColumn = 6;

// The colour of each state of a grid point; the state is said in words in the same cell.
QColor StatusColour(GridPointStatus status)
{
    switch (status) {
    case GridPointStatus::NotReceived:
        return QColor(215, 215, 215);
    case GridPointStatus::TimedOut:
        return QColor(250, 200, 120);
    case GridPointStatus::DoNotUse:
        return QColor(240, 160, 160);
    case GridPointStatus::NotMonitored:
        return QColor(190, 190, 240);
    case GridPointStatus::NotInMask:
    case GridPointStatus::Monitored:
        break;
    }
    return QColor(160, 230, 160);
}
// The type 10 parameters of the fast and long-term corrections' degradation, one a row, under
// the labels of the MT 10 window.
using Mt10Member = float TDegradationFactors::*;
constexpr Mt10Member kMt10Shown[] = {&TDegradationFactors::Brrc,    &TDegradationFactors::Cltc_lsb,
                                     &TDegradationFactors::Cltc_v1, &TDegradationFactors::Iltc_v1,
                                     &TDegradationFactors::Cer,     &TDegradationFactors::RSS_UDRE};

QStringList FeedLabels()
{
    QStringList labels = kFeedLabels;
    for (const Mt10Member member : kMt10Shown)
        labels << QString("Type 10: ") + FieldFor(mt10::kFields, member).name;
    return labels;
}

QString Number(double v)
{
    return QString::fromStdString(FloatText(v));
}

QString Number(float v)
{
    return QString::fromStdString(FloatText(v));
}

QString Rounded(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

QString GpsText(double gpsSeconds)
{
    if (gpsSeconds <= 0)
        return {};
    const CivilTime t = DecodeDateTime(GPSTimeToDateTime(std::floor(gpsSeconds / 604800), std::fmod(gpsSeconds, 604800)));
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

QString Yes(bool on)
{
    return on ? "yes" : "no";
}

// A grid that asks for the width of all its columns: the layout then gives way elsewhere
// rather than cut a column off at the grid's edge.
void KeepColumnsInView(QTableWidget &grid)
{
    int width = 2 * grid.frameWidth() + grid.verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid.columnCount(); ++c)
        width += grid.columnWidth(c);
    if (grid.minimumWidth() != width)
        grid.setMinimumWidth(width);
}

// A grid of fixed rows that asks for the height of all of them.
void KeepRowsInView(QTableWidget &grid)
{
    int height = 2 * grid.frameWidth() + grid.horizontalScrollBar()->sizeHint().height();
    for (int r = 0; r < grid.rowCount(); ++r)
        height += grid.rowHeight(r);
    grid.setMinimumHeight(height);
}

void Rows(QTableWidget *grid, int rows)
{
    if (grid->rowCount() != rows + 1)
        grid->setRowCount(rows + 1);
}

} // namespace

TFrmOverview::TFrmOverview(const PRNMaskBuffer &mask, const IGPBuffer &grid, QWidget *parent)
    : TMessageWindow("FrmOverview", "Signal Overview", parent), model_(mask, grid), grid_(grid),
      redraw_(new TickSource("OverviewRedraw", false, Qt::CoarseTimer, this)),
      history_(new TFrmHistory(model_, this))
{
    auto *header = new QHBoxLayout;
    testMode_ = new QLabel(this);
    testMode_->setObjectName("TestMode");
    testMode_->setAccessibleName("Test mode");
    testMode_->setAutoFillBackground(true);
    testMode_->setMargin(4);
    udreiIntervals_ = new QLabel(this);
    udreiIntervals_->setObjectName("UdreiIntervals");
    udreiIntervals_->setAccessibleName("UDREI update intervals");
    auto *columnLabel = new QLabel("Time-outs for:", this);
    column_ = new QComboBox(this);
    column_->setObjectName("TimeoutColumn");
    column_->setAccessibleName("Time-outs for");
    for (const Column c : {Column::PrecisionApproach, Column::EnRouteToNonPrecision})
        column_->addItem(ColumnName(c), static_cast<int>(c));
    columnLabel->setBuddy(column_);
    connect(column_, &QComboBox::currentIndexChanged, this, [this] {
        model_.Watch().SetColumn(static_cast<Column>(column_->currentData().toInt()));
        if (isVisible())
            Redraw();
    });
    header->addWidget(testMode_, 1);
    header->addWidget(udreiIntervals_);
    header->addWidget(columnLabel);
    header->addWidget(column_);
    Layout()->addLayout(header);

    auto *top = new QHBoxLayout;
    Layout()->addLayout(top, 1);
    AddGrid(top, "Types", kTypeHeadings.size(), 1, kTypeHeadings);
    const QStringList feedLabels = FeedLabels();
    KeepRowsInView(*AddGrid(top, "Feed", 2, feedLabels.size(), feedLabels, true));
    // The satellites and the grid points, a page each.
    auto *pages = new QTabWidget(this);
    pages->setObjectName("OverviewPages");
    pages->setAccessibleName("Satellites and grid points");
    auto *satellites = new QWidget(pages);
    auto *points = new QWidget(pages);
    auto *satelliteLayout = new QVBoxLayout(satellites);
    auto *pointLayout = new QVBoxLayout(points);
    satelliteLayout->setContentsMargins(0, 0, 0, 0);
    pointLayout->setContentsMargins(0, 0, 0, 0);
    AddGrid(satelliteLayout, "Satellites", kSatelliteHeadings.size(), 1, kSatelliteHeadings);
    AddGrid(pointLayout, "GridPoints", kGridPointHeadings.size(), 1, kGridPointHeadings);
    pages->addTab(satellites, "Satellites");
    pages->addTab(points, "Grid points");
    connect(pages, &QTabWidget::currentChanged, this, [this] {
        if (isVisible())
            Redraw();
    });
    Layout()->addWidget(pages, 1);
    Grid("Satellites")->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(Grid("Satellites"), &QTableWidget::cellDoubleClicked, this, [this] { PlotChosenSatellite(); });

    auto *buttons = new QHBoxLayout;
    const std::pair<const char *, const char *> plots[] = {{"PlotSatellite", "Plot satellite"},
                                                           {"PlotRates", "Plot message rates"}};
    for (const auto &[name, caption] : plots) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(caption);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    Layout()->addLayout(buttons);
    connect(findChild<QPushButton *>("PlotSatellite"), &QPushButton::clicked, this, [this] { PlotChosenSatellite(); });
    connect(findChild<QPushButton *>("PlotRates"), &QPushButton::clicked, this, &TFrmOverview::PlotRates);
    AddCloseButton();
    FormShow();
    setMinimumSize(1200, 720); // the type table whole beside the feed

    connect(redraw_, &TickSource::Tick, this, &TFrmOverview::Tick);
    redraw_->Start(kRedrawMilliseconds);
}

void TFrmOverview::Reset()
{
    model_.Reset();
    Rows(Grid("Types"), 0);
    Rows(Grid("Satellites"), 0);
    Rows(Grid("GridPoints"), 0);
    TMessageWindow::Reset();
    drawn_ = ~uint64_t{0};
}

void TFrmOverview::showEvent(QShowEvent *event)
{
    TMessageWindow::showEvent(event);
    if (drawn_ != model_.Revision())
        Redraw();
}

void TFrmOverview::Tick()
{
    const bool plotShown = history_->isVisible();
    if ((!isVisible() && !plotShown) || drawn_ == model_.Revision())
        return;
    if (isVisible())
        Redraw();
    if (plotShown)
        history_->Redraw();
    drawn_ = model_.Revision();
}

void TFrmOverview::Redraw()
{
    ++redraws_;
    drawn_ = model_.Revision();
    DrawHeader();
    DrawTypes();
    DrawFeed();
    // Of the satellites and the grid points, only the page in front is written: the other is
    // written when it is brought to the front.
    const bool satellites = Grid("Satellites")->isVisibleTo(this), points = Grid("GridPoints")->isVisibleTo(this);
    if (satellites)
        DrawSatellites();
    if (points)
        DrawGridPoints();
    const std::pair<const char *, bool> grids[] = {{"Types", true}, {"Feed", true}, {"Satellites", satellites},
                                                   {"GridPoints", points}};
    for (std::size_t i = 0; i < fits_.size(); ++i)
        if (grids[i].second)
            fits_[i].Apply(*Grid(grids[i].first));
    // The type table is a few narrow columns, read across: it is shown whole, and the feed
    // beside it, read down, gives up the width.
    KeepColumnsInView(*Grid("Types"));
}

void TFrmOverview::DrawTypes()
{
    QTableWidget *grid = Grid("Types");
    const std::vector<int> types = model_.SeenTypes();
    Rows(grid, static_cast<int>(types.size()));
    int row = 0;
    for (const int type : types) {
        const TypeStatistics &s = *model_.Type(type);
        const UpdateIntervals &i = model_.Watch().Intervals(type);
        const bool limited = i.limit >= 0;
        const QString cells[] = {QString::number(type),
                                 QString::number(s.Count()),
                                 Rounded(s.PerMinute(model_.Now(), model_.Observed()), 2),
                                 GpsText(s.LastTime()),
                                 Number(s.LongestGap()),
                                 QString::number(s.ParityFailures()),
                                 limited ? QString::number(i.limit) : QString("none"),
                                 limited ? QString::number(i.exceeded) : QString()};
        ++row;
        for (int c = 0; c < kTypeHeadings.size(); ++c)
            SetCellOf(grid, row, c, cells[c]);
    }
}

void TFrmOverview::DrawFeed()
{
    const FeedStatistics &f = model_.Feed();
    const char *mode = ModeName(f.Mode());
    const QString values[] = {QString::number(f.MissingSeconds()),
                              QString::number(f.Gaps()),
                              Number(f.LongestGap()),
                              QString::number(f.Duplicates()),
                              QString::number(f.StepsBack()),
                              QString::number(f.OverLong()),
                              QString::number(f.PardoErrors()),
                              QString::number(model_.ParityFailures()),
                              mode ? QString(mode) : QString("not decided yet"),
                              GpsText(f.ModeSince()),
                              GpsText(model_.Now()),
                              model_.DegradationReceived() ? QString::number(model_.SystemLatency()) : QString()};
    QTableWidget *grid = Grid("Feed");
    int row = 0;
    for (const QString &value : values)
        SetCellOf(grid, row++, 1, value);
    const auto &p = model_.DegradationParameters();
    for (const Mt10Member member : kMt10Shown)
        SetCellOf(grid, row++, 1, p ? Number((*p).*member) : QString());
}

void TFrmOverview::DrawSatellites()
{
    QTableWidget *grid = Grid("Satellites");
    const std::vector<SatelliteRow> rows = model_.Satellites();
    Rows(grid, static_cast<int>(rows.size()));
    int row = 0;
    for (const SatelliteRow &s : rows) {
        const SatelliteState &st = s.state;
        const QString cells[] = {QString::number(s.slot),
                                 QString::fromStdString(s.system),
                                 QString::number(s.prn),
                                 st.fastCorrection ? Number(st.prc) : QString(),
                                 st.udrei >= 0 ? QString::number(st.udrei) : QString(),
                                 s.fastAge >= 0 ? Number(s.fastAge) : QString(),
                                 s.timeout >= 0 ? QString::number(s.timeout) : QString(),
                                 s.degradation >= 0 ? Rounded(s.degradation, 4) : QString(),
                                 Yes(st.longTerm),
                                 Yes(st.covariance),
                                 s.verdict.usable ? "usable" : "not usable",
                                 QString::fromStdString(s.verdict.reason),
                                 QString::fromStdString(AgeText(s.udreiItem)),
                                 QString::fromStdString(AgeText(s.longTermItem)),
                                 QString::fromStdString(AgeText(s.covarianceItem))};
        ++row;
        for (int c = 0; c < kSatelliteHeadings.size(); ++c)
            SetCellOf(grid, row, c, cells[c]);
        // The colour repeats the verdict's words, which stay in the cell for screen readers.
        if (QTableWidgetItem *item = grid->item(row, kVerdictColumn))
            item->setBackground(s.verdict.usable ? QColor(160, 230, 160) : QColor(240, 160, 160));
    }
}

void TFrmOverview::DrawHeader()
{
    const TestModeState test = model_.Watch().TestMode();
    testMode_->setText(QString::fromStdString(TestModeText(test)));
    // Test mode in amber, like the broadcast status's own test modes; the words say it too.
    QPalette palette = testMode_->palette();
    palette.setColor(QPalette::Window, test.on ? QColor(250, 200, 120) : palette.color(QPalette::Base));
    testMode_->setPalette(palette);
    const UpdateIntervals &u = model_.Watch().UdreiIntervals();
    udreiIntervals_->setText(QString("UDREI: longest interval %1 s, %2 over %3 s")
                                 .arg(Number(u.longest))
                                 .arg(u.exceeded)
                                 .arg(kUdreiUpdateInterval));
}

// Each grid point of the mask: received or not, its age against its time-out, GIVEI and state.
void TFrmOverview::DrawGridPoints()
{
    QTableWidget *grid = Grid("GridPoints");
    const SignalWatch &watch = model_.Watch();
    int row = 0;
    for (int entry = 0; entry < kIgpCount; ++entry) {
        const GridPointAge point = watch.GridPoint(entry);
        if (!point.inMask)
            continue;
        const IGPEntry &e = grid_.entry[entry];
        const GridPointStatus status = StatusOf(point, e.VerticalDelay);
        ++row;
        if (grid->rowCount() <= row)
            grid->setRowCount(row + 1);
        const QString cells[] = {QString::number(entry),
                                 QString::number(e.Band),
                                 QString::fromStdString(LatitudeText(e.Latitude)),
                                 QString::fromStdString(LongitudeText(e.Longitude)),
                                 QString::fromStdString(AgeText(point.delay)),
                                 point.givei >= 0 ? QString::number(point.givei) : QString(),
                                 StatusText(status)};
        for (int c = 0; c < kGridPointHeadings.size(); ++c)
            SetCellOf(grid, row, c, cells[c]);
        if (QTableWidgetItem *item = grid->item(row, kStateColumn))
            item->setBackground(StatusColour(status));
    }
    Rows(grid, row);
}

void TFrmOverview::PlotChosenSatellite()
{
    QTableWidget *grid = Grid("Satellites");
    const int row = grid->currentRow();
    bool ok = false;
    const int slot = row > 0 ? CellText(grid, row, 0).toInt(&ok) : 0;
    if (ok)
        PlotSatellite(slot);
}

void TFrmOverview::PlotSatellite(int slot) { history_->ShowSatellite(slot); }
void TFrmOverview::PlotGridPoint(int entry) { history_->ShowGridPoint(entry); }
void TFrmOverview::PlotRates() { history_->ShowRates(); }
