#include "grid_point_choice.h"

#include "grid_map_forms.h"
#include "overview_form.h"
#include "world_map.h"

#include <QEvent>
#include <QLineEdit>
#include <QTableWidget>

namespace {

void PlotNumbered(TFrmOverview &overview, const QString &text)
{
    bool ok = false;
    const int entry = text.toInt(&ok);
    if (ok && entry >= 0 && entry < kIgpCount)
        overview.PlotGridPoint(entry);
}

// The map's read-out follows the mouse: a double-click plots the point it names.
class MapDoubleClick final : public QObject {
public:
    MapDoubleClick(QLineEdit &readout, TFrmOverview &overview, QObject *parent)
        : QObject(parent), readout_(readout), overview_(overview)
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick)
            PlotNumbered(overview_, readout_.text());
        return false;
    }

private:
    QLineEdit &readout_;
    TFrmOverview &overview_;
};

} // namespace

void ConnectGridPointChoice(TFrmMT26 &window, TFrmOverview &overview)
{
    QTableWidget *table = window.Grid("Table");
    QObject::connect(table, &QTableWidget::cellDoubleClicked, &overview, [table, &overview](int row, int) {
        if (row > 0)
            PlotNumbered(overview, TMessageWindow::CellText(table, row, 0));
    });
    if (auto *readout = window.findChild<QLineEdit *>("igp_no"))
        window.Map()->installEventFilter(new MapDoubleClick(*readout, overview, window.Map()));
}
