#include "table_export.h"

#include "files/regular_file.h"
#include "ui_seam.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QTableWidget>

#include <algorithm>
#include <set>

namespace {

QString Heading(const QTableWidgetItem *item)
{
    return item ? item->text() : QString();
}

QString Cell(const QTableWidget &grid, int row, int column)
{
    const QTableWidgetItem *item = grid.item(row, column);
    return item ? item->text() : QString();
}

// Rows and columns to write, with the headings across and down that belong to them.
struct Layout {
    std::vector<int> rows, columns;
    QStringList across;                // empty when the grid has no column headings
    bool down = false;                 // rows carry a name from the side headings
};

Layout Arrange(const QTableWidget &grid, std::vector<int> rows, std::vector<int> columns)
{
    Layout l;
    l.columns = std::move(columns);
    bool anyAcross = false;
    for (const int c : l.columns) {
        l.across << Heading(grid.horizontalHeaderItem(c));
        anyAcross = anyAcross || !l.across.back().isEmpty();
    }
    if (!anyAcross)
        l.across.clear();
    // A row that repeats the headings (the heading row of the message windows) is not written.
    for (const int r : rows) {
        bool heading = !l.across.isEmpty();
        for (std::size_t i = 0; heading && i < l.columns.size(); ++i)
            heading = Cell(grid, r, l.columns[i]) == l.across[static_cast<int>(i)];
        if (!heading)
            l.rows.push_back(r);
    }
    // Names down the side are added when the first column, which repeats them, is not written.
    const bool firstWritten = std::find(l.columns.begin(), l.columns.end(), 0) != l.columns.end();
    for (const int r : l.rows)
        l.down = l.down || (!firstWritten && !Heading(grid.verticalHeaderItem(r)).isEmpty());
    return l;
}

QString Write(const QTableWidget &grid, const Layout &l, const QString &separator, QString (*quote)(const QString &))
{
    QStringList lines;
    if (!l.across.isEmpty()) {
        QStringList cells;
        if (l.down)
            cells << QString();
        for (const QString &h : l.across)
            cells << quote(h);
        lines << cells.join(separator);
    }
    for (const int r : l.rows) {
        QStringList cells;
        if (l.down)
            cells << quote(Heading(grid.verticalHeaderItem(r)));
        for (const int c : l.columns)
            cells << quote(Cell(grid, r, c));
        lines << cells.join(separator);
    }
    return lines.join('\n') + (lines.isEmpty() ? "" : "\n");
}

QString Tsv(const QString &cell)
{
    QString s = cell;
    return s.replace('\t', ' ').replace('\n', ' ');
}

QString Csv(const QString &cell)
{
    if (!cell.contains(',') && !cell.contains('"') && !cell.contains('\n'))
        return cell;
    return '"' + QString(cell).replace("\"", "\"\"") + '"';
}

std::vector<int> Range(int count)
{
    std::vector<int> v(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        v[static_cast<std::size_t>(i)] = i;
    return v;
}

// Rows after the last one holding any text are left out of the file.
int UsedRows(const QTableWidget &grid)
{
    for (int r = grid.rowCount() - 1; r >= 0; --r)
        for (int c = 0; c < grid.columnCount(); ++c)
            if (!Cell(grid, r, c).isEmpty())
                return r + 1;
    return 0;
}

void CopySelection(const QTableWidget &grid)
{
    QApplication::clipboard()->setText(SelectionAsTsv(grid));
}

void SaveAsCsv(QTableWidget &grid, UiSeam &ui)
{
    const QString path = ui.SaveFileName(grid.window(), "Save as CSV", QString(), "CSV (*.csv)", "csv");
    if (path.isEmpty())
        return;
    // Written without waiting and only into a regular file: a FIFO would freeze the window.
    std::string error;
    if (!WriteRegularFile(QFile::encodeName(path).toStdString(), GridAsCsv(grid).toUtf8().toStdString(), error))
        ui.MessageBox(grid.window(), "The table could not be saved as " + path + ": " + QString::fromStdString(error));
}

// Takes Ctrl+C before the grid's own handling, which would copy one cell without headings.
class CopyKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy))
            return false;
        CopySelection(*static_cast<QTableWidget *>(watched));
        return true;
    }
};

} // namespace

QString SelectionAsTsv(const QTableWidget &grid)
{
    std::set<int> rows, columns;
    for (const QModelIndex &i : grid.selectionModel()->selectedIndexes()) {
        rows.insert(i.row());
        columns.insert(i.column());
    }
    return Write(grid, Arrange(grid, {rows.begin(), rows.end()}, {columns.begin(), columns.end()}), "\t", Tsv);
}

QString GridAsCsv(const QTableWidget &grid)
{
    return Write(grid, Arrange(grid, Range(UsedRows(grid)), Range(grid.columnCount())), ",", Csv);
}

void InstallTableExport(QTableWidget &grid, UiSeam &ui)
{
    if (grid.property("tableExport").toBool())
        return;
    grid.setProperty("tableExport", true);
    grid.setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid.installEventFilter(new CopyKeyFilter(&grid));
    grid.setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *copy = new QAction("Copy", &grid);
    copy->setObjectName("CopyTable");
    QObject::connect(copy, &QAction::triggered, &grid, [&grid] { CopySelection(grid); });
    auto *save = new QAction("Save as CSV...", &grid);
    save->setObjectName("SaveTableAsCsv");
    QObject::connect(save, &QAction::triggered, &grid, [&grid, &ui] { SaveAsCsv(grid, ui); });
    grid.addAction(copy);
    grid.addAction(save);
}

void InstallTableExports(QWidget &window, UiSeam &ui)
{
    for (QTableWidget *grid : window.findChildren<QTableWidget *>())
        InstallTableExport(*grid, ui);
}
