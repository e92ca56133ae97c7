#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include <QPainter>

// The world picture of the ionospheric grid windows: an equirectangular map of the whole
// Earth, longitude -180 to 180 left to right, latitude 90 to -90 top to bottom. Marks are
// painted into the picture itself in picture pixels; the widget shows it scaled to fit. Shown at
// any other scale (a device pixel ratio of 2, a larger window), the marks and texts are drawn
// again at the screen's resolution over the picture scaled up, so they stay sharp. The picture is
// painted by a child as large as the picture shown, which covers all it is given: a mark repaints
// its place on the picture and nothing behind the map.
class WorldMap final : public QWidget {
    Q_OBJECT
public:
    explicit WorldMap(QWidget *parent = nullptr);
    static QImage Blank(int width = 720, int height = 360);
    // The picture built into the program, or a plain grid when none was built in.
    static QImage Stored();
    // Top-left corner of the "+" of a point, in pixels of a width x height picture.
    static QPoint MarkPosition(int latitude, int longitude, int width, int height);

    const QImage &Picture() const;
    void SetPicture(const QImage &picture);
    void Fill(const QColor &colour);
    // Loads a picture file; a missing or unreadable file keeps the current picture.
    bool Load(const QString &path);
    // Writes text with its top-left corner at (x, y) over a transparent background.
    void Write(int x, int y, const QString &text, const QColor &colour, int points);
    QPoint Mark(int latitude, int longitude, const QColor &colour);
    // Maps a widget position back to picture pixels.
    QPoint ToPicture(const QPoint &widgetPos) const;
    // The picture as shown at `size` screen pixels: the picture without its marks scaled to that
    // size, and the marks and texts drawn over it at that size.
    const QImage &Rendered(const QSize &size);
    // Marks and texts the picture holds since it was last set, one a place: redrawing a place
    // replaces what was there.
    int Drawings() const { return static_cast<int>(drawings_.size()); }

Q_SIGNALS:
    void PictureMouseMove(int x, int y);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    QSize sizeHint() const override { return picture_.size(); }

private:
    class Canvas;
    void PaintCanvas(QWidget &canvas);
    struct Drawing {
        QPoint at;
        QString text; // empty for a mark
        QColor colour;
        int points;
    };
    // Clears the marks and texts: the picture was set anew.
    void Restart();
    void Remember(const Drawing &d);
    void DrawOnView(QPainter &p, const Drawing &d);
    // The marks of a turn of the event loop are repainted together, once, after it.
    void RepaintLater(const QRect &area);
    // The "+" of a colour at a scale: only its drawn pixels, and where they lie in its cell.
    struct Stamp {
        QImage pixels;
        QPoint offset;
    };
    static Stamp MakeStamp(QRgb colour, qreal sx, qreal sy);
    QRect Shown() const;
    QRect ToWidget(const QRect &pictureRect) const;
    QPainter &Painter();
    void EndPainting() const;
    QImage picture_;
    Canvas *canvas_;
    // Marks of a message are many: one painter stays open until the picture is read or shown,
    // and the "+" of each colour is rendered once and stamped.
    mutable std::unique_ptr<QPainter> painter_;
    QHash<QRgb, Stamp> stamps_;

    QImage plain_;                               // the picture as set, before any mark
    std::map<uint64_t, Drawing> drawings_;       // in drawing order
    QHash<quint64, uint64_t> markAt_;            // a mark's place to its entry in drawings_
    QHash<QString, uint64_t> textAt_;            // a text's place and words to its entry
    uint64_t nextDrawing_ = 0;
    QImage view_;                                // Rendered() at its last size; null when stale
    std::vector<Drawing> viewPending_;           // drawn since, not yet on view_
    QHash<QRgb, Stamp> viewStamps_;              // the "+" of each colour at the view's scale
    QRect dirty_;                                // widget pixels of marks not yet repainted
    bool repaintAsked_ = false;
};
