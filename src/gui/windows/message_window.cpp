#include "message_window.h"

#include "paint_pacer.h"

#include <QHBoxLayout>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TMessageWindow::TMessageWindow(const char *name, const QString &caption, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      layout_(new QVBoxLayout(this))
{
    setObjectName(name);
    setWindowTitle(caption);
    new PaintPacer(*this); // a flood of messages repaints the window some 30 times a second
}

QTableWidget *TMessageWindow::AddGrid(QBoxLayout *layout, const char *name, int columns, int rows,
                                      const QStringList &fixed, bool labelsDown)
{
    auto *grid = new QTableWidget(rows, columns, this);
    grid->setObjectName(name);
    grid->setAccessibleName(windowTitle().trimmed() + " " + name);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->horizontalHeader()->setDefaultSectionSize(110);
    grid->setMinimumSize(360, 200);
    LayOutWithoutShaping(*grid); // numbers and plain words: every repaint of a cell lays out its text
    layout->addWidget(grid, 1);
    grids_.push_back({grid, fixed, labelsDown});
    if (grid->objectName() == "Table")
        table_ = grid;
    return grid;
}

QLineEdit *TMessageWindow::AddBox(QBoxLayout *layout, const char *name, const QString &label)
{
    auto *row = new QHBoxLayout;
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAccessibleName(label);
    row->addWidget(new QLabel(label, this));
    row->addWidget(box);
    layout->addLayout(row);
    return box;
}

void TMessageWindow::AddCloseButton()
{
    auto *close = new QPushButton("Close", this);
    close->setObjectName("Close");
    close->setAccessibleName("Close");
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    layout_->addWidget(close, 0, Qt::AlignRight);
}

QTableWidget *TMessageWindow::Grid(const QString &name) const
{
    return findChild<QTableWidget *>(name);
}

QString TMessageWindow::CellText(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

void TMessageWindow::SetCellOf(QTableWidget *grid, int row, int column, const QString &text)
{
    if (!grid || row < 0 || row >= grid->rowCount() || column < 0 || column >= grid->columnCount())
        return;
    if (QTableWidgetItem *item = grid->item(row, column)) {
        if (item->text() != text)
            item->setText(text);
    } else if (!text.isEmpty()) {
        grid->setItem(row, column, new QTableWidgetItem(text));
    }
}

void TMessageWindow::SetBoxText(QLineEdit *box, const QString &text)
{
    if (box && box->text() != text)
        box->setText(text);
}

void TMessageWindow::LayOutWithoutShaping(QWidget &widget)
{
    QFont font = widget.font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    widget.setFont(font);
}

void TMessageWindow::SetCell(int row, int column, const QString &text)
{
    if (!table_)
        return;
    const int rows = table_->rowCount(), columns = table_->columnCount();
    if (row < 0 || row >= rows || column < 0 || column >= columns)
        return;
    const auto cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    if (written_.size() != cells)
        written_.assign(cells, QString());
    QString &written = written_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) + column];
    if (!written.isNull() && written == text)
        return;
    SetCellOf(table_, row, column, text);
    written = text;
}

TMessageWindow::CellBatch::CellBatch(TMessageWindow &window)
    : grid_(window.table_), wasEnabled_(grid_ && grid_->updatesEnabled())
{
    if (wasEnabled_)
        grid_->setUpdatesEnabled(false);
}

TMessageWindow::CellBatch::~CellBatch()
{
    if (wasEnabled_)
        grid_->setUpdatesEnabled(true);
}

void TMessageWindow::FormShow()
{
    written_.clear(); // the fixed texts go in straight
    for (const FixedTexts &f : grids_) {
        for (int i = 0; i < f.texts.size(); ++i)
            SetCellOf(f.grid, f.down ? i : 0, f.down ? 0 : i, f.texts[i]);
        ExposeHeadings(f);
    }
}

// The headings are ordinary cells, so that rows are numbered as the workers write them; the
// hidden headers carry the same texts, so a screen reader announces a cell's column (or row)
// by its heading instead of by its number.
void TMessageWindow::ExposeHeadings(const FixedTexts &f)
{
    QStringList labels;
    const int count = f.down ? f.grid->rowCount() : f.grid->columnCount();
    for (int i = 0; i < count; ++i)
        labels << (i < f.texts.size() ? f.texts[i] : QString());
    if (f.down)
        f.grid->setVerticalHeaderLabels(labels);
    else
        f.grid->setHorizontalHeaderLabels(labels);
}

// The first time it opens, a window is sized to show all its columns (within the screen)
// and centred on the main window; after that it keeps the size and place the user gives it.
void TMessageWindow::PlaceOnFirstShow()
{
    if (placed_)
        return;
    placed_ = true;
    int wanted = 0;
    for (const FixedTexts &f : grids_) {
        f.grid->resizeColumnsToContents();
        int width = f.grid->frameWidth() * 2 + f.grid->verticalScrollBar()->sizeHint().width();
        for (int c = 0; c < f.grid->columnCount(); ++c)
            width += f.grid->columnWidth(c);
        wanted = std::max(wanted, width);
    }
    const QRect screen = this->screen()->availableGeometry();
    const QMargins margins = layout_->contentsMargins();
    const int width = std::min(std::max(wanted + margins.left() + margins.right(), sizeHint().width()), screen.width() - 40);
    const int height = std::min(std::max(sizeHint().height(), 420), screen.height() - 80);
    resize(width, height);
    const QWidget *anchor = parentWidget() ? parentWidget()->window() : nullptr;
    const QPoint centre = anchor ? anchor->frameGeometry().center() : screen.center();
    QRect frame(QPoint(), size());
    frame.moveCenter(centre);
    move(std::clamp(frame.left(), screen.left(), std::max(screen.left(), screen.right() - width)),
         std::clamp(frame.top(), screen.top(), std::max(screen.top(), screen.bottom() - height)));
}

void TMessageWindow::Reset()
{
    for (const FixedTexts &f : grids_)
        f.grid->clearContents();
    FormShow();
}

void TMessageWindow::showEvent(QShowEvent *event)
{
    FormShow();
    PlaceOnFirstShow();
    QWidget::showEvent(event);
}
