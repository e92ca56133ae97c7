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
    SetCellOf(FC_Table, row, column, text);
}

void TFrmMT24::SetLTCell(int row, int column, const QString &text)
{
    SetCellOf(LT_Table, row, column, text);
}

TFrmMT25::TFrmMT25(QWidget *parent) : TMessageWindow("FrmMT25", "Analysis of Message Type 25", parent)
{
    AddGrid(Layout(), "Table", 10, 211, LongTermHeadings());
    AddCloseButton();
    FormShow();
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
    }
    Layout()->addLayout(blocks);
    AddGrid(Layout(), "Table", 12, 210,
            QStringList{"PRN", "SF"} + LabelsOf(mt28::kElements));
    AddCloseButton();
    FormShow();
}

void TFrmMT28::ShowCovariance(int index, int slot, const TClockEphCovMatrix &cov)
{
    const QString prefix = QString("Sat%1_").arg(index);
    auto set = [&](const QString &name, const QString &text) {
        if (auto *e = findChild<QLineEdit *>(prefix + name))
            e->setText(text);
    };
    set("PRN", QString::number(slot));
    set("SF", QString::fromStdString(FloatText(mt28::ScaleFactor(cov))));
    for (const auto &f : mt28::kElements)
        set(BoxName(f.name), QString::fromStdString(FieldText(cov, f)));
}

QString TFrmMT28::BoxText(const QString &name) const
{
    const auto *e = findChild<QLineEdit *>(name);
    return e ? e->text() : QString();
}
