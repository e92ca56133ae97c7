#include "prns_form.h"

#include "state_colour.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

struct SlotGroup {
    const char *title;
    int first, last; // slot indices
    int captionOffset; // caption = index + offset
};

const SlotGroup kGroups[] = {
    {"GPS (Slot Numbers)", 0, 36, 1},
    {"GLONASS (Slot Numbers)", 37, 60, -36},
    {"Future GNSS", 61, 118, 1},
    {"GEO/WAAS PRN:", 119, 137, 1},
    {"Future GNSS/GEO/WAAS/Pseudolites", 138, 209, 1},
};

constexpr int kCellsPerRow = 19;
const QColor kInMask(0, 255, 0); // lime

} // namespace

TFrmPRNs::TFrmPRNs(PRNMaskBuffer &mask, QWidget *parent)
    : TMessageWindow("FrmPRNs", "Active PRNs", parent),
      worker_(mask)
{
    for (const SlotGroup &g : kGroups) {
        auto *box = new QGroupBox(g.title, this);
        auto *grid = new QGridLayout(box);
        grid->setSpacing(2);
        for (int i = g.first; i <= g.last; ++i) {
            auto *cell = new QLabel(QString::number(i + g.captionOffset), box);
            cell->setObjectName(QString("b%1").arg(i));
            cell->setAccessibleName(QString("Slot %1").arg(i + 1));
            cell->setAlignment(Qt::AlignCenter);
            cell->setFrameStyle(QFrame::Box | QFrame::Plain);
            cell->setFixedSize(28, 20);
            cell->setAutoFillBackground(true);
            shownOn_[i] = -1;
            keptOn_[i] = 0;
            grid->addWidget(cell, (i - g.first) / kCellsPerRow, (i - g.first) % kCellsPerRow);
            cells_[i] = cell;
            ColourSlot(i, false);
        }
        Layout()->addWidget(box);
    }
    IODPNo = AddBox(Layout(), "IODPNo", "IODP");
    AddCloseButton();
}

void TFrmPRNs::KeepSlot(int index, bool on)
{
    if (keptOn_[index] == on)
        return;
    keptOn_[index] = on;
    ContentChanged();
}

void TFrmPRNs::ShowContent()
{
    for (int i = 0; i < kSlots; ++i)
        ColourSlot(i, keptOn_[i] != 0);
    TMessageWindow::ShowContent();
}

void TFrmPRNs::ColourSlot(int index, bool on)
{
    if (shownOn_[index] == on)
        return; // a palette set again costs as much as a change
    shownOn_[index] = on;
    ShowStateColour(*cells_[index], on ? std::optional<QColor>(kInMask) : std::nullopt);
    // The colour is the state: say it in words too, for screen readers.
    cells_[index]->setAccessibleDescription(on ? "in mask" : "not in mask");
}

bool TFrmPRNs::SlotShownActive(int index) const
{
    return ShownBackground(*cells_[index]) == kInMask;
}

void TFrmPRNs::ProcessMT1(const TMOPSMsg &message, const ShownType &shown)
{
    if (!shown.IsMask())
        return;
    const int iodp = worker_.Take(message);
    SetBox(IODPNo, QString::number(iodp));
    worker_.File();
    for (int i = 0; i < kSlots; ++i)
        KeepSlot(i, worker_.Filed(i));
}

void TFrmPRNs::Reset()
{
    for (int i = 0; i < kSlots; ++i)
        keptOn_[i] = 0;
    ShowContent();
}
