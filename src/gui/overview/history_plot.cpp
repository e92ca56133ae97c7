#include "history_plot.h"

#include "overview/signal_overview.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

struct TFrmHistory::Curve {
    QString name;
    QList<QPointF> points;
};

namespace {

using Curve = TFrmHistory::Curve;

constexpr double kMarker = 10000; // "not monitored" / "do not use": no place on a metre axis

// Minutes before the latest message, so the right edge is "now".
Curve CurveOf(const HistorySeries *series, double now, const QString &name, double &low, double &high)
{
    Curve curve{name, {}};
    if (series)
        for (const HistorySeries::Point &p : series->Points()) {
            if (p.value >= kMarker || p.value <= -kMarker)
                continue;
            curve.points.append({(p.time - now) / 60.0, p.value});
            low = std::min(low, p.value);
            high = std::max(high, p.value);
        }
    return curve;
}

} // namespace

TFrmHistory::TFrmHistory(const SignalOverview &overview, QWidget *parent)
    : QWidget(parent, Qt::Window), overview_(overview), chart_(new QChart),
      view_(new QChartView(chart_, this)), // a view made without a chart makes one it never frees
      caption_(new QLabel(this)), x_(new QValueAxis(chart_)), y_(new QValueAxis(chart_))
{
    x_->setTitleText("minutes before the latest message (GPS time)");
    x_->setRange(-60, 0);
    x_->setLabelFormat("%d");
    chart_->addAxis(x_, Qt::AlignBottom);
    chart_->addAxis(y_, Qt::AlignLeft);
    setObjectName("FrmHistory");
    setWindowTitle("History");
    auto *layout = new QVBoxLayout(this);
    caption_->setObjectName("HistoryCaption");
    caption_->setAccessibleName("Plotted");
    layout->addWidget(caption_);
    view_->setObjectName("HistoryChart");
    view_->setAccessibleName("History plot");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(720, 420);
    layout->addWidget(view_, 1);
    auto *close = new QPushButton("Close", this);
    close->setObjectName("Close");
    close->setAccessibleName("Close");
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void TFrmHistory::Choose(Subject subject, int key)
{
    subject_ = subject;
    key_ = key;
    Redraw();
    show();
    raise();
}

void TFrmHistory::ShowSatellite(int slot) { Choose(Subject::Satellite, slot); }
void TFrmHistory::ShowGridPoint(int entry) { Choose(Subject::GridPoint, entry); }
void TFrmHistory::ShowRates() { Choose(Subject::Rates, 0); }

void TFrmHistory::Redraw()
{
    const double now = overview_.Now();
    double low = 0, high = 1;
    QString caption;
    std::vector<Curve> curves;
    switch (subject_) {
    case Subject::None:
        break;
    case Subject::Satellite: {
        const auto [system, prn] = SlotSystem(key_);
        caption = QString("Slot %1 (%2 %3): PRC and UDRE").arg(key_).arg(QString::fromStdString(system)).arg(prn);
        y_->setTitleText("m");
        curves.push_back(CurveOf(overview_.Prc(key_), now, "PRC (m)", low, high));
        curves.push_back(CurveOf(overview_.Udre(key_), now, "UDRE (m)", low, high));
        break;
    }
    case Subject::GridPoint:
        caption = QString("Grid point %1: vertical delay and GIVE").arg(key_);
        y_->setTitleText("m");
        curves.push_back(CurveOf(overview_.VerticalDelay(key_), now, "Vertical delay (m)", low, high));
        curves.push_back(CurveOf(overview_.Give(key_), now, "GIVE (m)", low, high));
        break;
    case Subject::Rates:
        caption = "Messages per minute (10-minute window) by type";
        y_->setTitleText("messages per minute");
        for (const int type : overview_.SeenTypes())
            curves.push_back(CurveOf(overview_.Rate(type), now, QString("MT %1").arg(type), low, high));
        break;
    }
    ShowCurves(curves);
    const double margin = std::max(0.1, (high - low) * 0.05);
    y_->setRange(low - margin, high + margin);
    caption_->setText(caption + (subject_ == Subject::Rates ? "" : "; \"not monitored\" and \"do not use\" are not drawn"));
    if (chart_->title() != caption) // a title set again lays the whole chart out again
        chart_->setTitle(caption);
}

// The same curves as drawn get their points replaced: the chart keeps its series, axes and
// legend, and lays nothing out again. Other curves replace the drawn ones.
void TFrmHistory::ShowCurves(const std::vector<Curve> &curves)
{
    const QList<QAbstractSeries *> drawn = chart_->series();
    bool same = drawn.size() == static_cast<qsizetype>(curves.size());
    for (qsizetype i = 0; same && i < drawn.size(); ++i)
        same = drawn[i]->name() == curves[static_cast<std::size_t>(i)].name;
    if (!same) {
        chart_->removeAllSeries();
        for (const Curve &curve : curves) {
            auto *line = new QLineSeries(chart_);
            line->setName(curve.name);
            chart_->addSeries(line);
            line->attachAxis(x_);
            line->attachAxis(y_);
        }
    }
    const QList<QAbstractSeries *> lines = chart_->series();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto *line = static_cast<QLineSeries *>(lines[i]);
        if (line->points() != curves[static_cast<std::size_t>(i)].points)
            line->replace(curves[static_cast<std::size_t>(i)].points);
    }
}
