#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

class QBoxLayout;
class QLineEdit;
class QTableWidget;

// Base of the message-type windows: grids whose row 0 (or column 0) holds fixed texts,
// boxes, and a Close button that only hides. Content is written whether shown or not.
class TMessageWindow : public QWidget {
    Q_OBJECT
public:
    TMessageWindow(const char *name, const QString &caption, QWidget *parent);

    // Writes a cell of the window's grid "Table"; a cell whose text stays is left alone.
    void SetCell(int row, int column, const QString &text);
    // While one lives, the window's grid "Table" is not repainted; it is repainted once at the
    // end. For writes of many rows: a few cells repaint cheaper on their own.
    class CellBatch {
    public:
        explicit CellBatch(TMessageWindow &window);
        ~CellBatch();
        CellBatch(const CellBatch &) = delete;
        CellBatch &operator=(const CellBatch &) = delete;

    private:
        QTableWidget *grid_;
        bool wasEnabled_;
    };
    // Empties every cell of every grid, then writes the fixed texts again.
    virtual void Reset();
    // Writes headings and other fixed texts; runs each time the window is shown.
    virtual void FormShow();

    QTableWidget *Grid(const QString &name) const;
    static QString CellText(const QTableWidget *grid, int row, int column);
    static void SetCellOf(QTableWidget *grid, int row, int column, const QString &text);
    // A box's text is laid out anew on every write, shown or not: one that stays is left alone.
    static void SetBoxText(QLineEdit *box, const QString &text);
    // Numbers and hex digits need no shaping: laid out without it, a new text costs less than half.
    static void LayOutWithoutShaping(QWidget &widget);

protected:
    // Fixed texts go into row 0 across, or into column 0 down when labelsDown.
    QTableWidget *AddGrid(QBoxLayout *layout, const char *name, int columns, int rows, const QStringList &fixed,
                          bool labelsDown = false);
    QLineEdit *AddBox(QBoxLayout *layout, const char *name, const QString &label);
    QBoxLayout *Layout() const { return layout_; }
    void AddCloseButton();
    void showEvent(QShowEvent *event) override;

private:
    QTableWidget *table_ = nullptr; // the grid named "Table", written cell by cell
    // The text last written to each cell of table_ (row by row), null where not known: most
    // writes leave a cell as it is, and this tells so without asking the cell's item.
    std::vector<QString> written_;
    struct FixedTexts {
        QTableWidget *grid;
        QStringList texts;
        bool down;
    };
    void ExposeHeadings(const FixedTexts &f);
    void PlaceOnFirstShow();

    QBoxLayout *layout_;
    std::vector<FixedTexts> grids_;
    bool placed_ = false;
};
