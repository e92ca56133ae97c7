#include "prns_form.h"

#include "state_colour.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStaticText>
#include <QStyle>

#include <array>
#include <optional>

namespace {

// A slot's cell: a framed label of a fixed number, lime with black text while its slot is in
// the mask, otherwise in the palette's field colours. It looks as such a label does, but a change
// of state only switches the roles it is painted in (its palette holds both states' colours), and
// each state's look is drawn once and kept: a mask message repaints the cells whose state changed
// with one image each, and nothing under them.
class SlotCell final : public QLabel {
public:
    SlotCell(const QString &number, const QColor &inMask, QWidget *parent) : QLabel(number, parent), number_(number)
    {
        number_.setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignCenter);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setAutoFillBackground(true);
        QPalette p = palette(); // only the two roles of the state are its own: the rest follow
        p.setColor(QPalette::Window, inMask);
        p.setColor(QPalette::WindowText, Qt::black);
        setPalette(p);
        SetOn(false);
    }

    void SetOn(bool on)
    {
        on_ = on;
        setBackgroundRole(on ? QPalette::Window : QPalette::Base);
        setForegroundRole(on ? QPalette::WindowText : QPalette::Text);
        // The colour is the state: say it in words too, for screen readers.
        setAccessibleDescription(on ? "in mask" : "not in mask");
    }

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
            numberAt_.reset();
            looks_ = {};
        }
        if (event->type() == QEvent::PaletteChange) // a kept look covers the cell only on a solid background
            setAttribute(Qt::WA_OpaquePaintEvent, palette().brush(backgroundRole()).isOpaque());
        QLabel::changeEvent(event);
    }
    void resizeEvent(QResizeEvent *event) override
    {
        numberAt_.reset();
        QLabel::resizeEvent(event);
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (!testAttribute(Qt::WA_OpaquePaintEvent)) { // the widget has filled its background
            Draw(p);
            return;
        }
        const Colours colours{palette().brush(backgroundRole()).color().rgba(), palette().color(foregroundRole()).rgba()};
        Look &look = looks_[on_ ? 1 : 0];
        if (look.image.size() != size() || look.colours != colours) {
            look.image = QImage(size(), QImage::Format_ARGB32_Premultiplied);
            QPainter on(&look.image);
            on.setFont(font());
            on.fillRect(rect(), palette().brush(backgroundRole()));
            Draw(on);
            look.colours = colours;
        }
        p.drawImage(0, 0, look.image);
    }

private:
    struct Colours {
        QRgb background, text;
        bool operator!=(const Colours &o) const { return background != o.background || text != o.text; }
    };
    struct Look {
        QImage image;
        Colours colours{};
    };

    // The frame and the number as a plain framed label draws them over the background: both in
    // the state's text colour.
    void Draw(QPainter &p)
    {
        const QColor ink = palette().color(foregroundRole());
        const int w = width(), h = height();
        for (const QRect &side : {QRect(0, 0, w, 1), QRect(0, h - 1, w, 1), QRect(0, 1, 1, h - 2), QRect(w - 1, 1, 1, h - 2)})
            p.fillRect(side, ink); // four solid strips: an outlined rectangle costs a stroke
        if (!numberAt_) {
            number_.prepare(QTransform(), font());
            numberAt_ = QStyle::alignedRect(layoutDirection(), alignment(), fontMetrics().size(0, text()),
                                            contentsRect())
                            .topLeft();
        }
        p.setPen(ink);
        p.drawStaticText(*numberAt_, number_);
    }

    QStaticText number_;
    std::optional<QPoint> numberAt_; // where the number's box starts; found at the first paint
    bool on_ = false;
    std::array<Look, 2> looks_; // out of the mask, in it
};

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
            auto *cell = new SlotCell(QString::number(i + g.captionOffset), kInMask, box);
            cell->setObjectName(QString("b%1").arg(i));
            cell->setAccessibleName(QString("Slot %1").arg(i + 1));
            cell->setFixedSize(28, 20);
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
        return; // a role set again costs as much as a change
    shownOn_[index] = on;
    static_cast<SlotCell *>(cells_[index])->SetOn(on);
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
