#include "column_fit.h"

#include <QTableWidget>

#include <algorithm>

void ColumnFit::Apply(QTableWidget &grid)
{
    longest_.resize(static_cast<std::size_t>(grid.columnCount()), -1);
    for (int c = 0; c < grid.columnCount(); ++c) {
        int longest = 0;
        if (const QTableWidgetItem *heading = grid.horizontalHeaderItem(c))
            longest = static_cast<int>(heading->text().size());
        for (int r = 0; r < grid.rowCount(); ++r)
            if (const QTableWidgetItem *cell = grid.item(r, c))
                longest = std::max(longest, static_cast<int>(cell->text().size()));
        int &fitted = longest_[static_cast<std::size_t>(c)];
        if (longest != fitted) {
            grid.resizeColumnToContents(c);
            fitted = longest;
        }
    }
}
