#pragma once

#include <QImage>
#include <QPalette>
#include <QWidget>

#include <array>
#include <climits>
#include <vector>

class QPainter;
class QStyleOptionFrame;

// The main window's message box: one read-only line of hex digits that changes with every
// message. It looks as a read-only line edit of the same text, font and colours, but keeps what a
// line edit lays out and draws at every change: the panel is drawn once for a size, state and
// palette, and each digit's coverage once for each of its 64 sub-pixel positions; a paint blends
// the digits into a copy of the panel, and a change of text repaints the text alone. Text of other
// characters, or wider than the box, is drawn as text. Nothing can be selected: Copy (keys or
// context menu) takes the whole line.
class MessageLine final : public QWidget {
    Q_OBJECT
public:
    explicit MessageLine(QWidget *parent = nullptr);

    const QString &text() const { return text_; }
    void setText(const QString &text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void textChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Dot {
        short dx, dy; // from the pen's pixel and the line's top
        unsigned char coverage;
    };
    struct Glyph {
        bool made = false;
        std::vector<Dot> ink; // from left to right
        QRect bounds;         // of its dots
        // Its bounds as drawn over the background, row by row, for the blend they were made for.
        std::vector<quint32> over;
        int overBlend = -1;
    };

    void InitStyleOption(QStyleOptionFrame &option) const;
    QRect ContentRect(const QStyleOptionFrame &option) const;
    QRect LineRect(const QRect &contents) const;
    // Each character's pen, in 1/64 pixels, by the digits' advances and the kerning of each pair;
    // false when a character is not a hex digit or the text does not fit the line.
    bool PlaceDigits(const QRect &line);
    Glyph &GlyphOf(QChar c, int fraction);
    // The panel as the style draws it, kept while the size, state and palette stay.
    void KeepPanel(const QStyleOptionFrame &option);
    // The digits of text_, placed by PlaceDigits, blended into frame_ inside clip.
    void BlendDigits(const QRect &clip, const QRect &line, quint32 ink);
    // The colours of each coverage of ink over the background, kept while both stay.
    void KeepBlend(quint32 ink, quint32 background);
    const std::vector<quint32> &OverOf(Glyph &glyph);
    // Finds, once for a panel, whether it is opaque inside clip and which of its rows around the
    // line show only the background.
    void CheckPanel(const QRect &clip, const QRect &line);
    void DrawAsText(QPainter &painter, const QRect &contents, const QRect &line) const;
    void Copy() const;

    QString text_;
    std::vector<int> pens_;
    std::array<int, 22> advances_{}; // of each hex digit, in 1/64 pixels; -1 until measured
    static constexpr int kUnmeasured = INT_MIN;
    std::array<int, 22 * 22> kernings_{}; // of each pair of hex digits, in 1/64 pixels
    std::vector<Glyph> glyphs_;      // by digit * 64 + the pen's fraction of a pixel
    QImage panel_, frame_;           // the panel, and the panel with the digits
    QSize panelSize_;
    int panelState_ = 0;
    QPalette panelPalette_;
    std::array<quint32, 256> blended_{}; // the ink over the background, by coverage
    quint32 blendInk_ = 0, blendBackground_ = 0;
    int blend_ = 0; // counts the changes of blended_
    QRect checked_;       // the line CheckPanel last looked at, for this panel
    QRect plain_;         // the panel's rows around the line that show only the background
    bool opaque_ = false; // the panel has no transparent pixel inside its contents
    QRect textArea_;      // where a change of text repaints; empty until painted in full
};
