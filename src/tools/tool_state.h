#pragma once

#include <QPointF>

// What the canvas routing and the tools remember between mouse events. One
// instance lives in the main window; everything starts at zero or false.
struct ToolState {
    // The press point; freehand tools move it along with the pointer.
    float AnchorX = 0;
    float AnchorY = 0;
    // Press point of a curve stroke.
    float CurveStartX = 0;
    float CurveStartY = 0;
    // Last polygon vertex, clone source, or corner of the eraser stamp.
    float MarkX = 0;
    float MarkY = 0;
    // From a press on the canvas until the end of its release.
    bool IsDrawing = false;
    // A polygon chain is being built.
    bool PolyOpen = false;
    // Paste was chosen and waits for a release on the canvas.
    bool PastePending = false;
    // A clone source was just defined and the offset is not fixed yet.
    bool CloneSourceNew = false;
    // Offset from clone source to destination.
    float CloneDX = 0;
    float CloneDY = 0;

    QPointF anchor() const { return {static_cast<double>(AnchorX), static_cast<double>(AnchorY)}; }
};
