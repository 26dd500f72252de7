#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>

#include <array>
#include <optional>

// The geometry behind the canvas's resize grips, kept apart from the widgets
// so that it can be checked exactly. All in pixels of the viewport.

inline constexpr int GripSize = 6;

// Top-left corners of the right-edge grip (0), the corner grip (1) and the
// bottom-edge grip (2) of a canvas of this size.
std::array<QPoint, 3> gripPositions(QSize canvas);

// The drag of one grip, in pixels: where inside the grip the left button was
// pressed.
struct GripDrag {
    bool dragging = false;
    QPointF grab;

    // A press on a grip; only the left button starts a drag.
    void press(Qt::MouseButton button, QPointF at);
};

// One step of the drag of grip (0..2) at gripPos, for a mouse move to at
// (inside the grip) with buttons held: the new canvas size, or nothing when
// the move does not drag. The grip follows the mouse by whole pixels; a side
// never becomes smaller than 1.
std::optional<QSize> gripDragStep(const GripDrag &drag, int grip, QPoint gripPos, QSize canvas,
                                  Qt::MouseButtons buttons, QPointF at);
