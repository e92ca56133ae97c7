#pragma once

#include <QString>

class QTableWidget;
class QWidget;
class UiSeam;

// The selected cells as tab-separated lines, headed by the column headings when the grid has
// them (a selected heading row is not repeated); rows named down the side keep their name.
QString SelectionAsTsv(const QTableWidget &grid);
// The whole grid as comma-separated lines with the same headings; cells are quoted when needed.
QString GridAsCsv(const QTableWidget &grid);

// Ctrl+C copies the selection as tab-separated text; the context menu offers "Copy" and
// "Save as CSV...", which asks for the file through the seam.
void InstallTableExport(QTableWidget &grid, UiSeam &ui);
// The same on every grid of a window.
void InstallTableExports(QWidget &window, UiSeam &ui);
