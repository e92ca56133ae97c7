#pragma once

#include "message_window.h"

#include "mops/mt17.h"

#include <QHash>

#include <array>
#include <vector>

class QLabel;

// Type 17: one line per GEO PRN 120 to 138 with coloured service flags and coordinates.
class TFrmGEOs final : public TMessageWindow {
    Q_OBJECT
public:
    static constexpr int kFirstPrn = 120, kLastPrn = 138;
    explicit TFrmGEOs(QWidget *parent = nullptr);

    // Cells are named by a letter and the PRN: R, C, I (indicators), S, X, Y, Z (texts).
    // Names of PRNs outside 120..138 have no cell and are ignored.
    void SetIndicator(const QString &name, bool on);
    void SetText(const QString &name, const QString &text);
    QString Text(const QString &name) const;
    bool IndicatorOn(const QString &name) const;
    void Reset() override;

    // The almanac's fields the window shows as text, in its column order, with the letter
    // that names their cells.
    struct Coordinate {
        const char *letter;
        const NamedField<TGEOAlmanac> *field;
    };
    static const std::array<Coordinate, 3> &Coordinates();

protected:
    void ShowContent() override;

private:
    // A cell's latest text or state, shown at the next paint.
    struct Cell {
        QLabel *label;
        QString text;
        bool on;
        bool changed;
        bool indicator;
    };
    Cell *CellNamed(const QString &name);
    std::vector<Cell> cells_;
    QHash<QString, int> cellOf_;
};
