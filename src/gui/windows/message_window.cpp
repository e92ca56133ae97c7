#include "message_window.h"

#include "paint_pacer.h"

#include <QCoreApplication>
#include <QEvent>
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
    grid->installEventFilter(this); // a page brought forward shows its grid's latest texts
    grids_.push_back({grid, fixed, labelsDown, {}, {}, {}});
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
    SetCell(table_, row, column, text);
}

TMessageWindow::GridContent *TMessageWindow::ContentOf(QTableWidget *grid)
{
    for (GridContent &g : grids_)
        if (g.grid == grid)
            return &g;
    return nullptr;
}

void TMessageWindow::SetCell(QTableWidget *grid, int row, int column, const QString &text)
{
    GridContent *g = grid ? ContentOf(grid) : nullptr;
    if (!g)
        return;
    const int rows = grid->rowCount(), columns = grid->columnCount();
    if (row < 0 || row >= rows || column < 0 || column >= columns)
        return;
    const auto cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    if (g->kept.size() != cells) {
        g->kept.assign(cells, QString());
        g->isChanged.assign(cells, 0);
        g->changed.clear();
    }
    const int index = row * columns + column;
    QString &kept = g->kept[static_cast<std::size_t>(index)];
    if (!kept.isNull() && kept == text)
        return;
    kept = text.isNull() ? QString("") : text;
    if (!g->isChanged[static_cast<std::size_t>(index)]) {
        g->isChanged[static_cast<std::size_t>(index)] = 1;
        g->changed.push_back(index);
    }
    ContentChanged();
}

void TMessageWindow::SetBox(QLineEdit *box, const QString &text)
{
    auto b = std::find_if(boxes_.begin(), boxes_.end(), [box](const BoxContent &c) { return c.box == box; });
    if (b == boxes_.end())
        b = boxes_.insert(boxes_.end(), {box, box->text(), false});
    if (b->kept == text)
        return;
    b->kept = text;
    b->changed = true;
    ContentChanged();
}

void TMessageWindow::ContentChanged()
{
    contentPending_ = true;
    if (paintAsked_ || !isVisible())
        return;
    // Painted when the pacer lets the request through; the texts are written just before.
    paintAsked_ = true;
    QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

// Many cells at once: the grid is repainted once, not cell by cell.
void TMessageWindow::WriteGrid(GridContent &g)
{
    MakeTexts(g.grid);
    if (g.changed.empty())
        return;
    const int columns = g.grid->columnCount();
    const bool many = g.changed.size() > 64 && g.grid->updatesEnabled();
    if (many)
        g.grid->setUpdatesEnabled(false);
    for (const int index : g.changed) {
        g.isChanged[static_cast<std::size_t>(index)] = 0;
        SetCellOf(g.grid, index / columns, index % columns, g.kept[static_cast<std::size_t>(index)]);
    }
    g.changed.clear();
    if (many)
        g.grid->setUpdatesEnabled(true);
}

void TMessageWindow::ShowContent()
{
    for (GridContent &g : grids_)
        if (g.grid->isVisibleTo(this))
            WriteGrid(g);
    for (BoxContent &b : boxes_)
        if (b.changed) {
            b.changed = false;
            SetBoxText(b.box, b.kept);
        }
    contentPending_ = false;
}

bool TMessageWindow::event(QEvent *event)
{
    // Only the requests the pacer lets through come here. What is written now is painted by
    // this request: the one the writes asked for would only hold the next message's paint back.
    if (event->type() == QEvent::UpdateRequest) {
        paintAsked_ = true;
        if (contentPending_) {
            ShowContent();
            QCoreApplication::removePostedEvents(this, QEvent::UpdateRequest);
        }
        paintAsked_ = false;
    }
    return QWidget::event(event);
}

bool TMessageWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show)
        for (GridContent &g : grids_)
            if (g.grid == watched)
                WriteGrid(g);
    return QWidget::eventFilter(watched, event);
}

void TMessageWindow::FormShow()
{
    for (GridContent &g : grids_) {
        const int columns = g.grid->columnCount();
        for (int i = 0; i < g.texts.size(); ++i) {
            const int row = g.down ? i : 0, column = g.down ? 0 : i;
            SetCellOf(g.grid, row, column, g.texts[i]);
            const auto index = static_cast<std::size_t>(row * columns + column);
            if (index < g.kept.size())
                g.kept[index] = g.texts[i];
        }
        ExposeHeadings(g);
    }
}

// The headings are ordinary cells, so that rows are numbered as the workers write them; the
// hidden headers carry the same texts, so a screen reader announces a cell's column (or row)
// by its heading instead of by its number.
void TMessageWindow::ExposeHeadings(const GridContent &g)
{
    QStringList labels;
    const int count = g.down ? g.grid->rowCount() : g.grid->columnCount();
    for (int i = 0; i < count; ++i)
        labels << (i < g.texts.size() ? g.texts[i] : QString());
    if (g.down)
        g.grid->setVerticalHeaderLabels(labels);
    else
        g.grid->setHorizontalHeaderLabels(labels);
}

// The first time it opens, a window is sized to show all its columns (within the screen)
// and centred on the main window; after that it keeps the size and place the user gives it.
void TMessageWindow::PlaceOnFirstShow()
{
    if (placed_)
        return;
    placed_ = true;
    int wanted = 0;
    for (GridContent &g : grids_) {
        WriteGrid(g); // a page behind another too: its columns fit what it holds
        g.grid->resizeColumnsToContents();
        int width = g.grid->frameWidth() * 2 + g.grid->verticalScrollBar()->sizeHint().width();
        for (int c = 0; c < g.grid->columnCount(); ++c)
            width += g.grid->columnWidth(c);
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
    for (GridContent &g : grids_) {
        g.grid->clearContents();
        g.kept.assign(g.kept.size(), QString());
        g.isChanged.assign(g.isChanged.size(), 0);
        g.changed.clear();
    }
    FormShow();
    ShowContent(); // the boxes a reset leaves show their latest texts
}

void TMessageWindow::showEvent(QShowEvent *event)
{
    paintAsked_ = true; // the first paint follows
    FormShow();
    ShowContent();
    PlaceOnFirstShow();
    paintAsked_ = false;
    QWidget::showEvent(event);
}
