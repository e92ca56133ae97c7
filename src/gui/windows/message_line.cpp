#include "message_line.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

// A line edit's margins around its text, in pixels.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;
// Room around a digit's cell for ink past its advance.
constexpr int kPad = 3;

// x * a / 255 for each byte of x, rounded as the raster engine rounds when it draws text.
inline quint32 ByteMul(quint32 x, quint32 a)
{
    quint32 t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = x + ((x >> 8) & 0xff00ff) + 0x800080;
    x &= 0xff00ff00;
    return x | t;
}

// ink drawn over a pixel with a coverage, as the raster engine draws text.
inline quint32 Blend(quint32 pixel, quint32 ink, int coverage)
{
    if (coverage == 255)
        return ink;
    const quint32 s = ByteMul(ink, static_cast<quint32>(coverage));
    return s + ByteMul(pixel, qAlpha(~s));
}

// Whether inner lies inside outer; both valid. (QRect's own test is not inlined.)
inline bool Inside(const QRect &inner, const QRect &outer)
{
    return inner.left() >= outer.left() && inner.right() <= outer.right() && inner.top() >= outer.top() &&
           inner.bottom() <= outer.bottom();
}

// 0-21 for 0-9, A-F and a-f; -1 for any other character.
int HexIndex(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return 10 + u - 'A';
    if (u >= 'a' && u <= 'f')
        return 16 + u - 'a';
    return -1;
}

// Tells screen readers the line's text, as a read-only text field.
class MessageLineAccessible final : public QAccessibleWidget {
public:
    explicit MessageLineAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::EditableText) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const MessageLine *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
};

QAccessibleInterface *AccessibleMessageLine(const QString &className, QObject *object)
{
    if (className == QLatin1String("MessageLine") && object && object->isWidgetType())
        return new MessageLineAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

MessageLine::MessageLine(QWidget *parent) : QWidget(parent), glyphs_(22 * 64)
{
    static const bool accessible = (QAccessible::installFactory(AccessibleMessageLine), true);
    (void)accessible;
    advances_.fill(-1);
    kernings_.fill(kUnmeasured);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed, QSizePolicy::LineEdit));
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
}

void MessageLine::setText(const QString &text)
{
    if (text == text_)
        return;
    text_ = text;
    if (textArea_.isEmpty())
        update();
    else
        update(textArea_); // the panel around stays as painted
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, text_);
        QAccessible::updateAccessibility(&changed);
    }
    Q_EMIT textChanged(text_);
}

void MessageLine::InitStyleOption(QStyleOptionFrame &option) const
{
    option.initFrom(this);
    option.rect = contentsRect();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken | QStyle::State_ReadOnly;
    option.features = QStyleOptionFrame::None;
}

QSize MessageLine::sizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics(font());
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int h = qMax(metrics.height(), qMax(14, icon - 2)) + 2 * kVerticalMargin;
    const int w = metrics.horizontalAdvance(QLatin1Char('x')) * 17 + 2 * kHorizontalMargin;
    QStyleOptionFrame option;
    InitStyleOption(option);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(w, h), this);
}

QSize MessageLine::minimumSizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics(font());
    const int h = metrics.height() + qMax(2 * kVerticalMargin, metrics.leading());
    const int w = metrics.maxWidth();
    QStyleOptionFrame option;
    InitStyleOption(option);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(w, h), this);
}

QRect MessageLine::ContentRect(const QStyleOptionFrame &option) const
{
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

QRect MessageLine::LineRect(const QRect &contents) const
{
    const int height = QFontMetrics(font()).height();
    const int top = contents.y() + (contents.height() - height + 1) / 2;
    return {contents.x() + kHorizontalMargin, top, contents.width() - 2 * kHorizontalMargin, height};
}

bool MessageLine::PlaceDigits(const QRect &line)
{
    pens_.resize(static_cast<std::size_t>(text_.size()));
    const QFontMetricsF metrics(font());
    int pen = line.left() * 64;
    const auto advance = [&](int digit, QChar c) {
        if (advances_[digit] < 0)
            advances_[digit] = qRound(metrics.horizontalAdvance(c) * 64);
        return advances_[digit];
    };
    int digit = text_.isEmpty() ? 0 : HexIndex(text_[0]);
    for (qsizetype i = 0; i < text_.size(); ++i) {
        if (digit < 0)
            return false;
        pens_[static_cast<std::size_t>(i)] = pen;
        pen += advance(digit, text_[i]);
        const int next = i + 1 < text_.size() ? HexIndex(text_[i + 1]) : -1;
        if (next >= 0) { // as the text is laid out: a pair the font kerns moves the second digit
            int &kerning = kernings_[static_cast<std::size_t>(digit * 22 + next)];
            if (kerning == kUnmeasured) {
                const QString pair = QString(text_[i]) + text_[i + 1];
                kerning = qRound(metrics.horizontalAdvance(pair) * 64) - advances_[digit] - advance(next, text_[i + 1]);
            }
            pen += kerning;
        }
        digit = next;
    }
    // As a line edit: the text, a pixel and the cursor's pixel must fit, or it scrolls.
    return (pen - line.left() * 64 + 32) / 64 + 2 <= line.width();
}

MessageLine::Glyph &MessageLine::GlyphOf(QChar c, int fraction)
{
    const int digit = HexIndex(c);
    Glyph &glyph = glyphs_[static_cast<std::size_t>(digit * 64 + fraction)];
    if (glyph.made)
        return glyph;
    // Drawn white on black, a pixel's red is the coverage the digit gives it.
    const QFontMetrics metrics(font());
    QImage cell(advances_[digit] / 64 + 2 * kPad + 2, metrics.height() + 2 * kPad, QImage::Format_RGB32);
    cell.fill(Qt::black);
    {
        QPainter p(&cell);
        p.setFont(font());
        p.setPen(Qt::white);
        p.drawText(QPointF(kPad + fraction / 64.0, kPad + metrics.ascent()), QString(c));
    }
    for (int y = 0; y < cell.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(cell.constScanLine(y));
        for (int x = 0; x < cell.width(); ++x)
            if (const int coverage = qRed(row[x])) {
                const Dot d{static_cast<short>(x - kPad), static_cast<short>(y - kPad),
                            static_cast<unsigned char>(coverage)};
                glyph.bounds |= QRect(d.dx, d.dy, 1, 1);
                glyph.ink.push_back(d);
            }
    }
    std::stable_sort(glyph.ink.begin(), glyph.ink.end(), [](const Dot &a, const Dot &b) { return a.dx < b.dx; });
    glyph.made = true;
    return glyph;
}

void MessageLine::KeepPanel(const QStyleOptionFrame &option)
{
    if (!panel_.isNull() && panelSize_ == size() && panelState_ == int(option.state) &&
        panelPalette_ == option.palette)
        return;
    checked_ = QRect();
    QImage panel(size(), QImage::Format_ARGB32_Premultiplied);
    panel.fill(Qt::transparent);
    QPainter p(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &p, this);
    p.end();
    panel_ = panel;
    frame_ = panel.copy();
    panelSize_ = size();
    panelState_ = int(option.state);
    panelPalette_ = option.palette;
}

void MessageLine::CheckPanel(const QRect &clip, const QRect &line)
{
    if (checked_ == line)
        return;
    checked_ = line;
    const QRgb background = panel_.pixel(line.topLeft());
    opaque_ = true;
    std::vector<bool> plainRows(static_cast<std::size_t>(clip.height()));
    for (int y = clip.top(); y <= clip.bottom(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(panel_.constScanLine(y));
        bool plain = true;
        for (int x = clip.left(); x <= clip.right(); ++x) {
            plain = plain && row[x] == background;
            opaque_ = opaque_ && qAlpha(row[x]) == 255;
        }
        plainRows[static_cast<std::size_t>(y - clip.top())] = plain;
    }
    // The rows around the line's top that show nothing but the background.
    const auto plainRow = [&](int y) { return plainRows[static_cast<std::size_t>(y - clip.top())]; };
    int top = line.top(), bottom = line.top() - 1;
    if (clip.contains(line.topLeft()) && plainRow(top)) {
        bottom = top;
        while (top > clip.top() && plainRow(top - 1))
            --top;
        while (bottom < clip.bottom() && plainRow(bottom + 1))
            ++bottom;
    }
    plain_ = QRect(clip.left(), top, clip.width(), bottom - top + 1);
}

void MessageLine::paintEvent(QPaintEvent *event)
{
    QStyleOptionFrame option;
    InitStyleOption(option);
    const QRect contents = ContentRect(option);
    const QRect line = LineRect(contents);
    const QColor colour = palette().color(QPalette::Text);
    QPainter painter(this);
    if (devicePixelRatioF() != 1.0 || colour.alpha() != 255 || !rect().contains(line.topLeft()) ||
        !PlaceDigits(line)) {
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
        DrawAsText(painter, contents, line);
        return;
    }
    KeepPanel(option);
    // The panel's rows under the text back, then the digits blended in where the contents are.
    const QRect clip = contents.intersected(frame_.rect());
    for (int y = clip.top(); y <= clip.bottom(); ++y)
        std::memcpy(frame_.scanLine(y) + clip.left() * 4, panel_.constScanLine(y) + clip.left() * 4,
                    static_cast<std::size_t>(clip.width()) * 4);
    CheckPanel(clip, line);
    BlendDigits(clip, line, colour.rgba());
    textArea_ = clip;
    const QRect dirty = event->rect();
    if (opaque_ && clip.contains(dirty)) {
        // Only the text changed, on an opaque background: its pixels are copied, not blended.
        const QImage text(frame_.constScanLine(dirty.top()) + dirty.left() * 4, dirty.width(), dirty.height(),
                          frame_.bytesPerLine(), QImage::Format_RGB32);
        painter.drawImage(dirty.topLeft(), text);
        return;
    }
    painter.drawImage(0, 0, frame_);
}

void MessageLine::KeepBlend(quint32 ink, quint32 background)
{
    if (ink == blendInk_ && background == blendBackground_ && blend_ > 0)
        return;
    for (int c = 0; c < 256; ++c)
        blended_[static_cast<std::size_t>(c)] = Blend(background, ink, c);
    blendInk_ = ink;
    blendBackground_ = background;
    ++blend_;
}

const std::vector<quint32> &MessageLine::OverOf(Glyph &glyph)
{
    if (glyph.overBlend == blend_)
        return glyph.over;
    const QRect &b = glyph.bounds;
    glyph.over.assign(static_cast<std::size_t>(b.width() * b.height()), blendBackground_);
    for (const Dot &d : glyph.ink)
        glyph.over[static_cast<std::size_t>((d.dy - b.top()) * b.width() + d.dx - b.left())] = blended_[d.coverage];
    glyph.overBlend = blend_;
    return glyph.over;
}

void MessageLine::BlendDigits(const QRect &clip, const QRect &line, quint32 ink)
{
    const int top = line.top();
    uchar *const bits = frame_.bits();
    const qsizetype stride = frame_.bytesPerLine();
    const qsizetype row = stride / 4;
    // Most pixels a digit covers still show the panel's background: the colour of each coverage
    // over it is kept, and only pixels two digits share are blended again.
    const quint32 background = reinterpret_cast<const quint32 *>(bits + top * stride)[line.left()];
    KeepBlend(ink, background);
    int reach = INT_MIN; // the rightmost column a digit before has inked
    for (qsizetype i = 0; i < text_.size(); ++i) {
        const int pen = pens_[static_cast<std::size_t>(i)];
        Glyph &glyph = GlyphOf(text_[i], pen & 63);
        const int left = pen >> 6;
        const QRect at = glyph.bounds.translated(left, top);
        if (at.isEmpty() || !Inside(at, clip)) { // a digit at the edge: only its pixels inside
            for (const Dot &d : glyph.ink)
                if (clip.contains(left + d.dx, top + d.dy)) {
                    quint32 &pixel = reinterpret_cast<quint32 *>(bits + (top + d.dy) * stride)[left + d.dx];
                    pixel = Blend(pixel, ink, d.coverage);
                }
            reach = std::max(reach, at.right());
            continue;
        }
        quint32 *const origin = reinterpret_cast<quint32 *>(bits + top * stride) + left;
        // In the columns a digit before has inked, each dot is blended over what is there; past
        // them, where the panel is plain, the digit as drawn over the background is copied row by row.
        const int copied = Inside(at, plain_) ? std::max(at.left(), reach + 1) : at.right() + 1;
        for (const Dot &d : glyph.ink) {
            if (left + d.dx >= copied)
                break;
            quint32 &pixel = origin[d.dy * row + d.dx];
            pixel = pixel == background ? blended_[d.coverage] : Blend(pixel, ink, d.coverage);
        }
        if (copied <= at.right()) {
            const quint32 *from = OverOf(glyph).data() + (copied - at.left());
            quint32 *to = origin + glyph.bounds.top() * row + (copied - left);
            const auto count = static_cast<std::size_t>(at.right() - copied + 1) * 4;
            for (int y = 0; y < at.height(); ++y, from += at.width(), to += row)
                std::memcpy(to, from, count);
        }
        reach = std::max(reach, at.right());
    }
}

void MessageLine::DrawAsText(QPainter &painter, const QRect &contents, const QRect &line) const
{
    // Scrolled as a line edit whose cursor is at the end: the end shows when the text is too wide.
    const int width = qRound(QFontMetricsF(font()).horizontalAdvance(text_));
    const int shift = width + 2 > line.width() ? width - line.width() + 1 : 0;
    painter.setClipRect(contents);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QPointF(line.left() - shift, line.top() + QFontMetrics(font()).ascent()), text_);
}

void MessageLine::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        advances_.fill(-1);
        kernings_.fill(kUnmeasured);
        glyphs_.assign(glyphs_.size(), Glyph{});
    }
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        panel_ = QImage();
        textArea_ = QRect();
    }
    QWidget::changeEvent(event);
}

void MessageLine::resizeEvent(QResizeEvent *event)
{
    textArea_ = QRect();
    QWidget::resizeEvent(event);
}

void MessageLine::Copy() const
{
    QGuiApplication::clipboard()->setText(text_);
}

void MessageLine::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Copy) {
        Copy();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MessageLine::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(tr("&Copy"), QKeySequence::Copy, this, &MessageLine::Copy);
    copy->setEnabled(!text_.isEmpty());
    menu.exec(event->globalPos());
}
