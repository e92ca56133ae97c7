#pragma once

#include "state/shared_buffers.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QTimer;
class SignalWatch;
class TFrmMT26;

// The grid points on the world picture by GIVEI and age: a filled mark in the colour of its
// GIVEI, an open grey mark where no delay came yet, hatched where the delay timed out, with a
// legend. The marks are drawn as shapes at the screen's resolution over the picture, so they
// stay sharp at any size and device pixel ratio. Redrawn once a second while shown.
class GiveiMap final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRedrawMilliseconds = 1000;

    GiveiMap(const SignalWatch &watch, const IGPBuffer &grid, QWidget *parent);

    // Where the grid point of `entry` is drawn, in widget pixels.
    QPointF Position(int entry) const;
    // The grid point drawn nearest to `at` within a mark's reach; -1 for none.
    int PointAt(const QPointF &at) const;
    // "IGP 5: 0°N 0°E, GIVEI 9, delay 1.5 m, 4 s old (time-out 600 s)"; "" for -1.
    QString Readout(int entry) const;
    QLabel *ReadoutLabel() const { return readout_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    QSize sizeHint() const override { return picture_.size(); }

private:
    QRectF Shown() const; // the picture's place in the widget, its proportions kept
    void DrawLegend(QPainter &painter) const;

    const SignalWatch &watch_;
    const IGPBuffer &grid_;
    QImage picture_;
    QLabel *readout_;
    QTimer *timer_;
    int pointed_ = -1;
};

// The colour of a GIVEI on the map's scale: green for the smallest errors through yellow to
// red; 15 (not monitored) black.
QColor GiveiColour(int givei);

// Adds the "GIVEI and age" page to the type 26 window's pages, after its map and table.
void AddGiveiPage(TFrmMT26 &window, const SignalWatch &watch, const IGPBuffer &grid);
