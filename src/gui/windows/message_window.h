#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

class QBoxLayout;
class QLineEdit;
class QTableWidget;

// Base of the message-type windows: grids whose row 0 (or column 0) holds fixed texts,
// boxes, and a Close button that only hides. The workers hand in every message's values, shown
// or not; the window keeps the latest and writes them into its widgets just before it paints
// (at most at the pacer's rate) or when it is opened: a hidden window costs nothing per message,
// and whoever reads its widgets sees the latest values once the window has painted.
class TMessageWindow : public QWidget {
    Q_OBJECT
public:
    TMessageWindow(const char *name, const QString &caption, QWidget *parent);

    // Keeps the text of a cell of the window's grid "Table", or of one of its other grids.
    void SetCell(int row, int column, const QString &text);
    void SetCell(QTableWidget *grid, int row, int column, const QString &text);
    // Empties every cell of every grid, then writes the fixed texts again; nothing kept before
    // is shown after.
    virtual void Reset();
    // Writes headings and other fixed texts; runs each time the window is shown.
    virtual void FormShow();
    // Something kept has not reached the widgets yet.
    bool ContentPending() const { return contentPending_; }

    QTableWidget *Grid(const QString &name) const;
    static QString CellText(const QTableWidget *grid, int row, int column);
    // Writes a cell's widget at once.
    static void SetCellOf(QTableWidget *grid, int row, int column, const QString &text);
    // A box's text is laid out anew on every write, shown or not: one that stays is left alone.
    static void SetBoxText(QLineEdit *box, const QString &text);
    // Numbers and hex digits need no shaping: laid out without it, a new text costs less than half.
    static void LayOutWithoutShaping(QWidget &widget);

protected:
    // Keeps a box's text, written with the cells.
    void SetBox(QLineEdit *box, const QString &text);
    // A subclass kept something new: it reaches the widgets with the next paint, or at the
    // next opening of a hidden window.
    void ContentChanged();
    // Makes the cell texts of values a subclass keeps for a grid, just before the grid is written.
    virtual void MakeTexts(QTableWidget *) {}
    // Writes what was kept into the widgets; a subclass that keeps values of its own writes
    // them first, then calls this.
    virtual void ShowContent();
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Fixed texts go into row 0 across, or into column 0 down when labelsDown.
    QTableWidget *AddGrid(QBoxLayout *layout, const char *name, int columns, int rows, const QStringList &fixed,
                          bool labelsDown = false);
    QLineEdit *AddBox(QBoxLayout *layout, const char *name, const QString &label);
    QBoxLayout *Layout() const { return layout_; }
    void AddCloseButton();
    void showEvent(QShowEvent *event) override;

private:
    QTableWidget *table_ = nullptr; // the grid named "Table"
    // A grid with its fixed texts and the text kept for each cell, row by row (null where none
    // was kept). Cells changed since the grid was last written are listed once each; a grid
    // out of sight (a page behind another) is written when it comes into sight.
    struct GridContent {
        QTableWidget *grid;
        QStringList texts;
        bool down;
        std::vector<QString> kept;
        std::vector<int> changed;
        std::vector<unsigned char> isChanged;
    };
    struct BoxContent {
        QLineEdit *box;
        QString kept;
        bool changed;
    };
    GridContent *ContentOf(QTableWidget *grid);
    void WriteGrid(GridContent &g);
    void ExposeHeadings(const GridContent &g);
    void PlaceOnFirstShow();

    QBoxLayout *layout_;
    std::vector<GridContent> grids_;
    std::vector<BoxContent> boxes_;
    bool contentPending_ = false;
    bool paintAsked_ = false; // an update request of ours is on its way
    bool placed_ = false;
};
