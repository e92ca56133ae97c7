#include "caption_label.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
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

const CaptionLabel::Stamp &CaptionLabel::StampOf(QChar c, int x, int y, QRgb colour)
{
    const quint64 key = quint64(colour) << 32 | quint64(c.unicode()) << 12 | quint64(x & 63) << 6 | quint64(y & 63);
    auto found = stamps_.find(key);
    if (found != stamps_.end())
        return found->second;
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
    Stamp kept{stamp, {}};
    for (int row = 0; row < stamp.height(); ++row) {
        const auto *pixels = reinterpret_cast<const QRgb *>(stamp.constScanLine(row));
        for (int column = 0; column < stamp.width(); ++column)
            if (pixels[column] != 0)
                kept.ink.push_back({static_cast<short>(column), static_cast<short>(row), pixels[column]});
    }
    return stamps_.emplace(key, std::move(kept)).first->second;
}

bool CaptionLabel::Compose(const std::vector<const Stamp *> &stamps, const std::vector<int> &lefts, int origin)
{
    int width = 0;
    for (std::size_t i = 0; i < stamps.size(); ++i)
        width = std::max(width, lefts[i] - origin + stamps[i]->image.width());
    const int height = stamps.front()->image.height();
    constexpr std::size_t kLayers = std::tuple_size_v<decltype(layers_)>;
    std::array<QRgb *, kLayers> bits{};
    std::array<qsizetype, kLayers> rows{}; // a layer kept from a wider text is wider than this one
    const auto open = [&](std::size_t k, const QRect &used) {
        Layer &layer = layers_[k];
        if (layer.image.width() < width || layer.image.height() != height)
            layer.image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        layer.image.fill(0);
        layer.used = used;
        bits[k] = reinterpret_cast<QRgb *>(layer.image.bits());
        rows[k] = layer.image.bytesPerLine() / 4;
    };
    for (Layer &layer : layers_)
        layer.used = QRect();
    open(0, QRect(0, 0, width, height));
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        const int left = lefts[i] - origin;
        for (const Dot &d : stamps[i]->ink) {
            const int x = left + d.x;
            QRgb &pixel = bits[0][d.y * rows[0] + x];
            if (pixel == 0) {
                pixel = d.pixel;
                continue;
            }
            const QRect dot(x, d.y, 1, 1);
            for (std::size_t k = 1;; ++k) { // a pixel two stamps share: into a layer above
                if (k == kLayers)
                    return false;
                if (!bits[k])
                    open(k, dot);
                QRgb &above = bits[k][d.y * rows[k] + x];
                if (above == 0) {
                    above = d.pixel;
                    layers_[k].used |= dot;
                    break;
                }
            }
        }
    }
    return true;
}

void CaptionLabel::paintEvent(QPaintEvent *event)
{
    if (wordWrap() || alignment() != (Qt::AlignLeft | Qt::AlignVCenter) || margin() != 0 || indent() > 0 ||
        frameWidth() != 0 || !isEnabled() || devicePixelRatioF() != 1.0 || layoutDirection() != Qt::LeftToRight ||
        font().letterSpacing() != 0 || font().wordSpacing() != 0 || !Place()) {
        QLabel::paintEvent(event);
        return;
    }
    // Placed as a label lays out one line: centred by the font's height, from the left.
    const QRect r = contentsRect();
    const QFontMetricsF metrics(font());
    const qreal lineTop = r.y() + (r.height() - (metrics.ascent() + metrics.descent())) / 2;
    const int baseline = qRound(lineTop * 64) + qRound(metrics.ascent() * 64);
    const int above = Above();
    const QRgb colour = palette().brush(foregroundRole()).color().rgba();
    const QString &t = text();
    if (t.isEmpty())
        return;
    if (stamps_.size() + static_cast<std::size_t>(t.size()) > kMostStamps)
        stamps_.clear(); // before any is taken: those of this text stay until it is drawn
    std::vector<const Stamp *> stamps(static_cast<std::size_t>(t.size()));
    std::vector<int> lefts(stamps.size());
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        const int x = r.x() * 64 + pens_[i];
        stamps[i] = &StampOf(t[static_cast<qsizetype>(i)], x, baseline, colour);
        lefts[i] = (x >> 6) - kPad;
    }
    const int top = (baseline >> 6) - above - kPad;
    const int origin = *std::min_element(lefts.begin(), lefts.end()); // the first, unless a pair kerns back past it
    QPainter painter(this);
    if (Compose(stamps, lefts, origin)) {
        for (const Layer &layer : layers_)
            if (!layer.used.isNull())
                painter.drawImage(QPoint(origin, top) + layer.used.topLeft(), layer.image, layer.used);
        return;
    }
    for (std::size_t i = 0; i < stamps.size(); ++i)
        painter.drawImage(QPoint(lefts[i], top), stamps[i]->image);
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
