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

namespace {

constexpr double kMarker = 10000; // "not monitored" / "do not use": no place on a metre axis

// Minutes before the latest message, so the right edge is "now".
void AddCurve(QChart &chart, const HistorySeries *series, double now, const QString &name, QValueAxis &x,
              QValueAxis &y, double &low, double &high)
{
    auto *line = new QLineSeries(&chart);
    line->setName(name);
    if (series)
        for (const HistorySeries::Point &p : series->Points()) {
            if (p.value >= kMarker || p.value <= -kMarker)
                continue;
            line->append((p.time - now) / 60.0, p.value);
            low = std::min(low, p.value);
            high = std::max(high, p.value);
        }
    chart.addSeries(line);
    line->attachAxis(&x);
    line->attachAxis(&y);
}

} // namespace

TFrmHistory::TFrmHistory(const SignalOverview &overview, QWidget *parent)
    : QWidget(parent, Qt::Window), overview_(overview), view_(new QChartView), chart_(new QChart),
      caption_(new QLabel(this))
{
    setObjectName("FrmHistory");
    setWindowTitle("History");
    auto *layout = new QVBoxLayout(this);
    caption_->setObjectName("HistoryCaption");
    caption_->setAccessibleName("Plotted");
    layout->addWidget(caption_);
    view_->setParent(this);
    view_->setObjectName("HistoryChart");
    view_->setAccessibleName("History plot");
    view_->setChart(chart_);
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
    chart_->removeAllSeries();
    for (QAbstractAxis *axis : chart_->axes())
        chart_->removeAxis(axis);
    auto *x = new QValueAxis(chart_);
    x->setTitleText("minutes before the latest message (GPS time)");
    x->setRange(-60, 0);
    x->setLabelFormat("%d");
    auto *y = new QValueAxis(chart_);
    chart_->addAxis(x, Qt::AlignBottom);
    chart_->addAxis(y, Qt::AlignLeft);
    const double now = overview_.Now();
    double low = 0, high = 1;
    QString caption;
    switch (subject_) {
    case Subject::None:
        break;
    case Subject::Satellite: {
        const auto [system, prn] = SlotSystem(key_);
        caption = QString("Slot %1 (%2 %3): PRC and UDRE").arg(key_).arg(QString::fromStdString(system)).arg(prn);
        y->setTitleText("m");
        AddCurve(*chart_, overview_.Prc(key_), now, "PRC (m)", *x, *y, low, high);
        AddCurve(*chart_, overview_.Udre(key_), now, "UDRE (m)", *x, *y, low, high);
        break;
    }
    case Subject::GridPoint:
        caption = QString("Grid point %1: vertical delay and GIVE").arg(key_);
        y->setTitleText("m");
        AddCurve(*chart_, overview_.VerticalDelay(key_), now, "Vertical delay (m)", *x, *y, low, high);
        AddCurve(*chart_, overview_.Give(key_), now, "GIVE (m)", *x, *y, low, high);
        break;
    case Subject::Rates:
        caption = "Messages per minute (10-minute window) by type";
        y->setTitleText("messages per minute");
        for (const int type : overview_.SeenTypes())
            AddCurve(*chart_, overview_.Rate(type), now, QString("MT %1").arg(type), *x, *y, low, high);
        break;
    }
    const double margin = std::max(0.1, (high - low) * 0.05);
    y->setRange(low - margin, high + margin);
    caption_->setText(caption + (subject_ == Subject::Rates ? "" : "; \"not monitored\" and \"do not use\" are not drawn"));
    chart_->setTitle(caption);
}
