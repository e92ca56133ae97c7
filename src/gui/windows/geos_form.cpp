#include "geos_form.h"

#include "state_colour.h"

#include <QGridLayout>
#include <QLabel>

namespace {
const QColor kLime(0, 255, 0);
}

const std::array<TFrmGEOs::Coordinate, 3> &TFrmGEOs::Coordinates()
{
    using namespace mt17;
    static const std::array<Coordinate, 3> columns = {{{"X", &FieldFor(kFields, &TGEOAlmanac::Xg)},
                                                       {"Y", &FieldFor(kFields, &TGEOAlmanac::Yg)},
                                                       {"Z", &FieldFor(kFields, &TGEOAlmanac::Zg)}}};
    return columns;
}

TFrmGEOs::TFrmGEOs(QWidget *parent) : TMessageWindow("FrmGEOs", "GEO Almanacs", parent)
{
    auto *grid = new QGridLayout;
    QStringList headings = {FieldFor(mt17::kFields, &TGEOAlmanac::PRN).name, "Ranging", "Corrections", "Integrity",
                            "Service Provider"};
    QStringList letters = {"R", "C", "I", "S"};
    for (const Coordinate &c : Coordinates()) {
        headings << c.field->name;
        letters << c.letter;
    }
    for (int c = 0; c < headings.size(); ++c)
        grid->addWidget(new QLabel(headings[c], this), 0, c, Qt::AlignCenter);
    for (int prn = kFirstPrn; prn <= kLastPrn; ++prn) {
        const int row = prn - kFirstPrn + 1;
        grid->addWidget(new QLabel(QString::number(prn), this), row, 0, Qt::AlignCenter);
        int column = 1;
        for (const QString &letter : letters) {
            auto *cell = new QLabel(this);
            cell->setObjectName(letter + QString::number(prn));
            cell->setAccessibleName(headings[column] + " " + QString::number(prn));
            cell->setFrameStyle(QFrame::Box | QFrame::Plain);
            cell->setAutoFillBackground(true);
            cell->setAlignment(Qt::AlignCenter);
            cell->setMinimumWidth(column <= 3 ? 24 : 100);
            cellOf_.insert(cell->objectName(), static_cast<int>(cells_.size()));
            cells_.push_back({cell, QString(), false, false, column <= 3}); // R, C and I are indicators
            grid->addWidget(cell, row, column++);
        }
    }
    Layout()->addLayout(grid);
    AddCloseButton();
    Reset();
}

TFrmGEOs::Cell *TFrmGEOs::CellNamed(const QString &name)
{
    const auto at = cellOf_.constFind(name);
    return at == cellOf_.constEnd() ? nullptr : &cells_[static_cast<std::size_t>(*at)];
}

void TFrmGEOs::SetIndicator(const QString &name, bool on)
{
    if (Cell *cell = CellNamed(name)) {
        cell->on = on;
        cell->changed = true;
        ContentChanged();
    }
}

void TFrmGEOs::ShowContent()
{
    for (Cell &cell : cells_) {
        if (!cell.changed)
            continue;
        cell.changed = false;
        if (cell.indicator) {
            ShowStateColour(*cell.label, cell.on ? std::optional<QColor>(kLime) : std::nullopt);
            cell.label->setAccessibleDescription(cell.on ? "on" : "off");
        } else {
            cell.label->setText(cell.text);
        }
    }
    TMessageWindow::ShowContent();
}

bool TFrmGEOs::IndicatorOn(const QString &name) const
{
    const auto *cell = findChild<QLabel *>(name);
    return cell && ShownBackground(*cell) == kLime;
}

void TFrmGEOs::SetText(const QString &name, const QString &text)
{
    if (Cell *cell = CellNamed(name)) {
        cell->text = text;
        cell->changed = true;
        ContentChanged();
    }
}

QString TFrmGEOs::Text(const QString &name) const
{
    const auto *cell = findChild<QLabel *>(name);
    return cell ? cell->text() : QString();
}

void TFrmGEOs::Reset()
{
    for (int prn = kFirstPrn; prn <= kLastPrn; ++prn) {
        const QString n = QString::number(prn);
        for (const char *letter : {"R", "C", "I"})
            SetIndicator(letter + n, false);
        SetText("S" + n, "NONE");
        for (const Coordinate &c : Coordinates())
            SetText(c.letter + n, "Unknown");
    }
    ShowContent();
}
