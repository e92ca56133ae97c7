#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <memory>

#include <QPainter>

// The world picture of the ionospheric grid windows: an equirectangular map of the whole
// Earth, longitude -180 to 180 left to right, latitude 90 to -90 top to bottom. Marks are
// painted into the picture itself in picture pixels; the widget shows it scaled to fit.
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

Q_SIGNALS:
    void PictureMouseMove(int x, int y);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    QSize sizeHint() const override { return picture_.size(); }

private:
    friend class PictureView;
    QRect Shown() const;
    QRect ToWidget(const QRect &pictureRect) const;
    QPainter &Painter();
    void EndPainting() const;
    QImage picture_;
    // Marks of a message are many: one painter stays open until the picture is read or shown,
    // and the "+" of each colour is rendered once and stamped, cut to its visible pixels.
    mutable std::unique_ptr<QPainter> painter_;
    struct Stamp {
        QImage image;
        QPoint offset; // of the cut from the mark's corner
    };
    QHash<QRgb, Stamp> stamps_;
    // The picture is painted by an opaque child over the part it covers: a mark repaints its
    // own few pixels, not the page and frame behind them as well.
    QWidget *view_;
};
