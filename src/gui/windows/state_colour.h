#pragma once

#include <QColor>

#include <optional>

class QWidget;

// A cell whose background tells a state. In its state the cell shows the state's colour (lime,
// green) with black text; out of it, the palette's field colours (white and black by default),
// so that a dark palette stays readable.
void ShowStateColour(QWidget &cell, const std::optional<QColor> &stateColour);
// The background the cell shows.
QColor ShownBackground(const QWidget &cell);
