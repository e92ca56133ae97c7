#include "corrections_forms.h"

#include "field_cells.h"

#include "mops/mt27.h"
#include "text/number_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>
#include <cstring>

namespace {

const NamedField<LongTermVel0> *Vel0Named(const char *name)
{
    for (const NamedField<LongTermVel0> &f : long_term_half::kVel0)
        if (std::strcmp(f.name, name) == 0)
            return &f;
    return nullptr;
}

LongTermColumn ColumnOf(const NamedField<LongTermVel1> &f)
{
    return {&f, Vel0Named(f.name)};
}

QStringList LongTermHeadings()
{
    QStringList headings = {"PRN"};
    for (const LongTermColumn &c : LongTermColumns())
        headings << c.vel1->name;
    return headings;
}

} // namespace

const std::array<LongTermColumn, 9> &LongTermColumns()
{
    using long_term_half::kVel1;
    using V = LongTermVel1;
    static const std::array<LongTermColumn, 9> columns = {
        ColumnOf(FieldFor(kVel1, &V::DeltaX)),     ColumnOf(FieldFor(kVel1, &V::DeltaY)),
        ColumnOf(FieldFor(kVel1, &V::DeltaZ)),     ColumnOf(FieldFor(kVel1, &V::DeltaX_roc)),
        ColumnOf(FieldFor(kVel1, &V::DeltaY_roc)), ColumnOf(FieldFor(kVel1, &V::DeltaZ_roc)),
        ColumnOf(FieldFor(kVel1, &V::DeltaAf0)),   ColumnOf(FieldFor(kVel1, &V::DeltaAf1)),
        ColumnOf(FieldFor(kVel1, &V::TODApplicability))};
    return columns;
}

TFrmMT24::TFrmMT24(QWidget *parent)
    : TMessageWindow("FrmMT24", "MT24 - Mixed fast correction / long term satellite error corrections ", parent)
{
    auto *tabs = new QTabWidget(this);
    auto *fast = new QWidget(tabs);
    auto *longTerm = new QWidget(tabs);
    tabs->addTab(fast, "Fast Corrections");
    tabs->addTab(longTerm, "Long Term Corrections");
    Layout()->addWidget(tabs);
    FC_Table = AddGrid(new QVBoxLayout(fast), "FC_Table", 5, 211,
                       {"PRN", "PRC (m)", "UDREI", "UDRE (m)", "UDRE variance (m^2)"});
    LT_Table = AddGrid(new QVBoxLayout(longTerm), "LT_Table", 10, 211, LongTermHeadings());
    AddCloseButton();
    FormShow();
}

void TFrmMT24::SetFCCell(int row, int column, const QString &text)
{
    SetCell(FC_Table, row, column, text);
}

void TFrmMT24::KeepLongTerm(const PerPRN<LongTermVel0> &vel0, const PerPRN<LongTermVel1> &vel1)
{
    longTerm_.Keep(vel0, vel1);
    ContentChanged();
}

void TFrmMT24::ShowContent()
{
    longTerm_.Write(*this, LT_Table);
    TMessageWindow::ShowContent();
}

void TFrmMT24::Reset()
{
    longTerm_.Forget();
    TMessageWindow::Reset();
}

TFrmMT25::TFrmMT25(QWidget *parent) : TMessageWindow("FrmMT25", "Analysis of Message Type 25", parent)
{
    AddGrid(Layout(), "Table", 10, 211, LongTermHeadings());
    AddCloseButton();
    FormShow();
}

void TFrmMT25::KeepLongTerm(const PerPRN<LongTermVel0> &vel0, const PerPRN<LongTermVel1> &vel1)
{
    longTerm_.Keep(vel0, vel1);
    ContentChanged();
}

void TFrmMT25::ShowContent()
{
    longTerm_.Write(*this, Grid("Table"));
    TMessageWindow::ShowContent();
}

void TFrmMT25::Reset()
{
    longTerm_.Forget();
    TMessageWindow::Reset();
}

void LongTermRows::Keep(const PerPRN<LongTermVel0> &vel0, const PerPRN<LongTermVel1> &vel1)
{
    vel0_ = vel0;
    vel1_ = vel1;
    changed_ = true;
}

void LongTermRows::Write(TMessageWindow &window, QTableWidget *grid)
{
    if (!changed_)
        return;
    changed_ = false;
    int row = 0;
    const auto rows = [&](const auto &records, const auto &textOf) {
        for (int slot = 1; slot <= kSlots; ++slot) {
            const auto &v = records[slot];
            if (!v.Available)
                continue;
            ++row;
            window.SetCell(grid, row, 0, QString::number(slot));
            int c = 0;
            for (const LongTermColumn &column : LongTermColumns())
                window.SetCell(grid, row, ++c, textOf(v, column));
        }
    };
    rows(vel0_, [](const LongTermVel0 &v, const LongTermColumn &column) {
        return column.vel0 ? ValueText(v, *column.vel0) : QString("");
    });
    rows(vel1_, [](const LongTermVel1 &v, const LongTermColumn &column) { return ValueText(v, *column.vel1); });
}

TFrmMT27::TFrmMT27(QWidget *parent) : TMessageWindow("FrmMT27", "MT27 - WAAS Service Message ", parent)
{
    using namespace mt27;
    QStringList headings = {"Message / Region", FieldFor(kFields, &ServiceHeader::DeltaInside).name,
                            FieldFor(kFields, &ServiceHeader::DeltaOutside).name,
                            FieldFor(kRegion, &ServiceRegion::Shape).name};
    for (const auto member : {&ServiceRegion::Latitude1, &ServiceRegion::Longitude1, &ServiceRegion::Latitude2,
                              &ServiceRegion::Longitude2})
        headings << FieldFor(kRegion, member).name;
    AddGrid(Layout(), "Table", 8, 40, headings);
    AddCloseButton();
    FormShow();
}

namespace {

constexpr int kCovarianceRows = 210;

// The box of an element shows it as its label says: "E 1,2" in box "E_12".
QString BoxName(const char *label)
{
    return QString(label).remove(',').replace(' ', '_');
}

} // namespace

TFrmMT28::TFrmMT28(QWidget *parent)
    : TMessageWindow("FrmMT28", "MT28 - Clock-Ephemeris Covariance Matrix Message ", parent)
{
    auto *blocks = new QHBoxLayout;
    for (int s = 0; s < 2; ++s) {
        const QString prefix = QString("Sat%1_").arg(s);
        auto *box = new QGroupBox(QString("Satellite %1").arg(s + 1), this);
        auto *grid = new QGridLayout(box);
        auto edit = [&](const QString &name, const QString &label) {
            auto *e = new QLineEdit(box);
            e->setObjectName(prefix + name);
            e->setReadOnly(true);
            e->setAccessibleName(label);
            e->setMaximumWidth(70);
            LayOutWithoutShaping(*e);
            return e;
        };
        grid->addWidget(new QLabel("PRN", box), 0, 0);
        grid->addWidget(edit("PRN", "PRN"), 0, 1);
        grid->addWidget(new QLabel("SF = ", box), 0, 2);
        grid->addWidget(edit("SF", "SF = "), 0, 3);
        grid->addWidget(new QLabel("E = ", box), 1, 0);
        grid->addWidget(new QLabel("[", box), 1, 1, 4, 1);
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 4; ++c) {
                QLineEdit *e = edit(QString("E_%1%2").arg(r).arg(c), QString("E %1,%2").arg(r).arg(c));
                if (r > c)
                    e->setText("0"); // below the diagonal of the upper-triangular factor
                grid->addWidget(e, r, c + 1);
            }
        grid->addWidget(new QLabel("]", box), 1, 6, 4, 1);
        blocks->addWidget(box);
        QLineEdit **boxes = boxes_[s];
        *boxes++ = box->findChild<QLineEdit *>(prefix + "PRN");
        *boxes++ = box->findChild<QLineEdit *>(prefix + "SF");
        for (const auto &f : mt28::kElements)
            *boxes++ = box->findChild<QLineEdit *>(prefix + BoxName(f.name));
    }
    Layout()->addLayout(blocks);
    AddGrid(Layout(), "Table", 12, kCovarianceRows, QStringList{"PRN", "SF"} + LabelsOf(mt28::kElements));
    AddCloseButton();
    FormShow();
}

namespace {

// The record is thirteen 32-bit integers: equal bytes, equal values.
static_assert(sizeof(TClockEphCovMatrix) == 13 * sizeof(int32_t), "no padding in the record");

bool Same(const TClockEphCovMatrix &a, const TClockEphCovMatrix &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

void TFrmMT28::ShowCovariance(int index, int slot, const TClockEphCovMatrix &cov)
{
    if (index < 0 || index > 1)
        return;
    RowSource &block = blocks_[index];
    if (block.known && block.slot == slot && Same(block.cov, cov))
        return;
    block = {true, slot, cov};
    blockChanged_[index] = true;
    ContentChanged();
}

void TFrmMT28::ShowRow(int row, int slot, const TClockEphCovMatrix &cov)
{
    if (row < 0 || row >= kCovarianceRows)
        return;
    if (static_cast<std::size_t>(row) >= rows_.size())
        rows_.resize(static_cast<std::size_t>(row) + 1);
    RowSource &source = rows_[static_cast<std::size_t>(row)];
    if (source.known && source.slot == slot && Same(source.cov, cov))
        return;
    const bool listed = source.listed;
    source = {true, slot, cov, true};
    if (!listed)
        changedRows_.push_back(row);
    ContentChanged();
}

// The texts of the values kept since the last paint.
void TFrmMT28::ShowContent()
{
    for (int index = 0; index < 2; ++index) {
        if (!blockChanged_[index])
            continue;
        blockChanged_[index] = false;
        const RowSource &block = blocks_[index];
        QLineEdit *const *boxes = boxes_[index];
        SetBox(*boxes++, QString::number(block.slot));
        SetBox(*boxes++, QString::fromStdString(FloatText(mt28::ScaleFactor(block.cov))));
        for (const auto &f : mt28::kElements)
            SetBox(*boxes++, QString::fromStdString(FieldText(block.cov, f)));
    }
    for (const int row : changedRows_) {
        RowSource &source = rows_[static_cast<std::size_t>(row)];
        source.listed = false;
        SetCell(row, 0, QString::number(source.slot));
        SetCell(row, 1, QString::fromStdString(FloatText(mt28::ScaleFactor(source.cov))));
        for (std::size_t k = 0; k < mt28::kElements.size(); ++k)
            SetCell(row, static_cast<int>(k) + 2, QString::fromStdString(FieldText(source.cov, mt28::kElements[k])));
    }
    changedRows_.clear();
    TMessageWindow::ShowContent();
}

void TFrmMT28::Reset()
{
    rows_.clear();
    changedRows_.clear();
    TMessageWindow::Reset(); // the satellite blocks keep theirs
}

QString TFrmMT28::BoxText(const QString &name) const
{
    const auto *e = findChild<QLineEdit *>(name);
    return e ? e->text() : QString();
}
