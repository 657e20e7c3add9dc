#pragma once
// A top-level window whole within the screen's free area (the screen less the desktop's panels
// and docks), the frame the desktop draws around it (title bar, borders) counted once. Positions
// here are those of the frame's outer corner, as QWidget::move() and pos() take them.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace screen_fit {

// The free area of the screen the window is on.
QRect freeArea(const QWidget& window);
// The frame around the window: as measured once the desktop has framed it; before that as last
// measured on any window; before any, an allowance for a title bar and borders.
QMargins frameOf(const QWidget& window);
// The largest size inside the frame for which the framed window fits the free area.
QSize room(const QWidget& window);
// The place nearest to `wanted` at which the framed window lies whole in the free area (its top
// left corner kept in it where the window is larger).
QPoint wholePlace(const QWidget& window, QPoint wanted);
// Whether the framed window lies whole in the free area where it is now.
bool isWhole(const QWidget& window);

}  // namespace screen_fit
