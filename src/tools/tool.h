#pragma once

#include <QPointF>

class CanvasHost;
class Document;
class RandomSource;
class Surface;
struct ToolOptions;
struct ToolState;

// Everything a tool may read or change while it acts. The pen colour is the
// canvas' ForeColor, chosen by the routing at the press; canvas is the
// document's canvas.
struct ToolContext {
    Document &document;
    Surface &canvas;
    ToolState &state;
    ToolOptions &options;
    CanvasHost &host;
    RandomSource &random;
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
