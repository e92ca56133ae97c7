#pragma once

#include <QHash>
#include <QImage>
#include <QLabel>

#include <array>
#include <unordered_map>
#include <vector>

// A one-line label whose text changes with every message (the main window's week, time and type
// captions). It looks as a plain label of the same text, font and colours, but a paint stamps each
// character from a kept image of it instead of laying the line out: an image for each character,
// fraction of a pixel and colour, placed by the font's advances and the kerning of each pair.
// Anything else (other characters, other alignments or frames, spaced letters) it leaves to the
// label.
class CaptionLabel final : public QLabel {
public:
    CaptionLabel(const QString &text, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Each character's pen in 1/64 pixels from the text's left; false when the text is not one
    // this label stamps.
    bool Place();
    int Advance(QChar c);
    int Kerning(QChar a, QChar b);
    int Above() const; // whole pixels a stamp holds above its baseline
    struct Dot {
        short x, y;
        QRgb pixel;
    };
    struct Stamp {
        QImage image;
        std::vector<Dot> ink; // its pixels that are not empty
    };
    const Stamp &StampOf(QChar c, int x, int y, QRgb colour); // x, y: 1/64 pixels
    // Puts the stamps, placed at lefts, into the layers, whose left edge is at origin (the least
    // of lefts): each pixel of a stamp into the first layer that has none there yet. Drawn in
    // turn, the layers give what drawing the stamps one over the other gives. False when they
    // need more layers than there are.
    bool Compose(const std::vector<const Stamp *> &stamps, const std::vector<int> &lefts, int origin);

    std::vector<int> pens_;
    QHash<char16_t, int> advances_;
    QHash<quint32, int> kernings_;
    std::unordered_map<quint64, Stamp> stamps_; // a stamp stays where it is while others are added
    struct Layer {
        QImage image;
        QRect used; // null when the text needs no pixel of this layer
    };
    std::array<Layer, 3> layers_;
};
