#include "caption_label.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr int kPad = 3;            // room around a character's cell for ink past its advance
constexpr int kMostStamps = 1024;  // kept at most, so that a stream of new texts cannot grow them

// Characters stamped one by one: those no ligature joins in a Latin text ('f' starts them all)
// and no mnemonic hides ('&').
bool Stampable(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z' && u != 'f') || u == ' ' ||
           u == ':' || u == '.' || u == ',' || u == '-';
}

} // namespace

CaptionLabel::CaptionLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

int CaptionLabel::Advance(QChar c)
{
    auto found = advances_.constFind(c.unicode());
    if (found != advances_.cend())
        return *found;
    return *advances_.insert(c.unicode(), qRound(QFontMetricsF(font()).horizontalAdvance(QString(c)) * 64));
}

int CaptionLabel::Kerning(QChar a, QChar b)
{
    const quint32 key = quint32(a.unicode()) << 16 | b.unicode();
    auto found = kernings_.constFind(key);
    if (found != kernings_.cend())
        return *found;
    const int pair = qRound(QFontMetricsF(font()).horizontalAdvance(QString(a) + b) * 64);
    return *kernings_.insert(key, pair - Advance(a) - Advance(b));
}

bool CaptionLabel::Place()
{
    const QString &t = text();
    pens_.resize(static_cast<std::size_t>(t.size()));
    int pen = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!Stampable(t[i]))
            return false;
        pens_[static_cast<std::size_t>(i)] = pen;
        pen += Advance(t[i]) + (i + 1 < t.size() ? Kerning(t[i], t[i + 1]) : 0);
    }
    return true;
}

int CaptionLabel::Above() const
{
    return static_cast<int>(std::ceil(QFontMetricsF(font()).ascent()));
}

const QImage &CaptionLabel::Stamp(QChar c, int x, int y, QRgb colour)
{
    const quint64 key = quint64(colour) << 32 | quint64(c.unicode()) << 12 | quint64(x & 63) << 6 | quint64(y & 63);
    auto found = stamps_.constFind(key);
    if (found != stamps_.cend())
        return *found;
    if (stamps_.size() >= kMostStamps)
        stamps_.clear();
    // Drawn on nothing, each pixel is the ink times its coverage: stamped over the background, it
    // gives what drawing the character there gives.
    const int above = Above();
    QImage stamp(Advance(c) / 64 + 2 * kPad + 2,
                 above + static_cast<int>(std::ceil(QFontMetricsF(font()).descent())) + 2 * kPad,
                 QImage::Format_ARGB32_Premultiplied);
    stamp.fill(Qt::transparent);
    QPainter p(&stamp);
    p.setFont(font());
    p.setPen(QColor::fromRgba(colour));
    p.drawText(QPointF(kPad + (x & 63) / 64.0, kPad + above + (y & 63) / 64.0), QString(c));
    p.end();
    return *stamps_.insert(key, stamp);
}

void CaptionLabel::paintEvent(QPaintEvent *event)
{
    if (wordWrap() || alignment() != (Qt::AlignLeft | Qt::AlignVCenter) || margin() != 0 || indent() > 0 ||
        frameWidth() != 0 || !isEnabled() || devicePixelRatioF() != 1.0 || layoutDirection() != Qt::LeftToRight ||
        !Place()) {
        QLabel::paintEvent(event);
        return;
    }
    // Placed as a label lays out one line: centred by the font's height, from the left.
    const QRect r = contentsRect();
    const QFontMetricsF metrics(font());
    const qreal top = r.y() + (r.height() - (metrics.ascent() + metrics.descent())) / 2;
    const int baseline = qRound(top * 64) + qRound(metrics.ascent() * 64);
    const int above = Above();
    const QRgb colour = palette().brush(foregroundRole()).color().rgba();
    QPainter painter(this);
    const QString &t = text();
    for (qsizetype i = 0; i < t.size(); ++i) {
        const int x = r.x() * 64 + pens_[static_cast<std::size_t>(i)];
        painter.drawImage(QPoint((x >> 6) - kPad, (baseline >> 6) - above - kPad), Stamp(t[i], x, baseline, colour));
    }
}

void CaptionLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        advances_.clear();
        kernings_.clear();
        stamps_.clear();
    }
    QLabel::changeEvent(event);
}
