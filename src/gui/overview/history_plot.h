#pragma once

#include <QWidget>

class QChart;
class QChartView;
class QLabel;
class SignalOverview;

// One history plot of the overview: a satellite's PRC and UDRE, a grid point's vertical delay
// and GIVE, or the message rate of every type seen, over the last hour of GPS time.
class TFrmHistory final : public QWidget {
    Q_OBJECT
public:
    enum class Subject { None, Satellite, GridPoint, Rates };

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

    const SignalOverview &overview_;
    QChartView *view_;
    QChart *chart_;
    QLabel *caption_;
    Subject subject_ = Subject::None;
    int key_ = 0;
};
