#pragma once

#include <vector>

class QTableWidget;

// Fits a grid's columns to their texts only when a column's longest text changes length:
// measuring every cell's text is the dearest part of a redraw, and most redraws only change
// digits in place.
class ColumnFit {
public:
    void Apply(QTableWidget &grid);

private:
    std::vector<int> longest_; // characters, by column, when the columns were last fitted
};
