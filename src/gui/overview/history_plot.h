#pragma once

#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QLabel;
class QValueAxis;
class SignalOverview;

// One history plot of the overview: a satellite's PRC and UDRE, a grid point's vertical delay
// and GIVE, or the message rate of every type seen, over the last hour of GPS time.
class TFrmHistory final : public QWidget {
    Q_OBJECT
public:
    enum class Subject { None, Satellite, GridPoint, Rates };
    struct Curve; // one line of the plot: its name and points

    TFrmHistory(const SignalOverview &overview, QWidget *parent);

    void ShowSatellite(int slot);
    void ShowGridPoint(int entry);
    void ShowRates();
    // Rebuilds the curves from the overview's series.
    void Redraw();

    Subject Shown() const { return subject_; }
    int Key() const { return key_; }
    QChart *Chart() const { return chart_; }

private:
    void Choose(Subject subject, int key);
    void ShowCurves(const std::vector<Curve> &curves);

    const SignalOverview &overview_;
    QChart *chart_;
    QChartView *view_;
    QLabel *caption_;
    QValueAxis *x_;
    QValueAxis *y_;
    Subject subject_ = Subject::None;
    int key_ = 0;
};
