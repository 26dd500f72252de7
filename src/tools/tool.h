#pragma once

#include "core/pen.h"

#include <QPointF>

#include <functional>

class CanvasHost;
class Document;
class RandomSource;
class Surface;
struct ToolOptions;
struct ToolState;

// Everything a tool may read or change while it acts, and the two ways it
// draws: a preview, on the screen alone, which the next preview and the end
// of the stroke wipe; and a commit, into the picture.
struct ToolContext {
    Document &document;
    ToolState &state;
    ToolOptions &options;
    CanvasHost &host;
    RandomSource &random;
    // The stroke's pen, chosen at the press.
    const Pen &pen;

    // The document's canvas, to read.
    const Surface &canvas() const;
    // Wipes the previous preview and draws on the screen layer.
    void preview(const std::function<void(Surface &canvas)> &draw);
    // Draws into the picture.
    void commit(const std::function<void(Surface &canvas)> &draw);
};

// One pointer event on the canvas, in canvas pixels.
struct ToolEvent {
    float x = 0;
    float y = 0;
    // A press or release: the button that changed; a move: the buttons held.
    // Only the left, right and middle buttons are ever reported.
    Qt::MouseButtons buttons;
    // Only Shift, Ctrl and Alt are ever reported.
    Qt::KeyboardModifiers modifiers;

    QPointF position() const { return {static_cast<double>(x), static_cast<double>(y)}; }
};

// A drawing tool: its own part of a press, of each drag step and of the
// release, and its own memory between strokes. CanvasInput does the steps
// common to all tools around them.
class Tool
{
public:
    virtual ~Tool() = default;

    virtual void press(ToolContext &context, const ToolEvent &event);
    virtual void drag(ToolContext &context, const ToolEvent &event);
    virtual void release(ToolContext &context, const ToolEvent &event);

    // Every tool hears these, whichever tool is current: a tool was chosen
    // in the palette (this one or another), and a double-click on the canvas.
    virtual void anyToolChosen(ToolContext &context);
    virtual void doubleClicked();
};
