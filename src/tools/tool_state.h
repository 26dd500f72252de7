#pragma once

#include "core/colour.h"
#include "tool_table.h"

#include <QPointF>

#include <optional>

// What the canvas routing shares with the tools and the window between mouse
// events; each tool keeps the rest of its memory itself.
struct ToolState {
    // The tool chosen in the palette; none after Open or Paste until one is
    // chosen again.
    std::optional<ToolId> currentTool;
    // The press point; freehand tools move it along with the pointer.
    float anchorX = 0;
    float anchorY = 0;
    // From a press on the canvas until the end of its release.
    bool strokeInProgress = false;
    // Paste was chosen and waits for a release on the canvas.
    bool pastePending = false;
    // The interior colour the last fill left: a filled circle, ellipse or
    // rounded box released without a drag step fills with it.
    Colour fillColour = 0;

    QPointF anchor() const { return {static_cast<double>(anchorX), static_cast<double>(anchorY)}; }
};
