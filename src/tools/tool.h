#pragma once

#include <QPointF>

#include <memory>

class CanvasHost;
class RandomSource;
class Surface;
struct ToolOptions;
struct ToolState;

// Everything a tool may read or change while it acts. The pen colour is the
// canvas' ForeColor, chosen by the routing at the press.
struct ToolContext {
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
    // 1 left, 2 right, 4 middle; 0 when none is held.
    int button = 0;
    // Bit 1 Shift, bit 2 Ctrl, bit 4 Alt.
    int shift = 0;

    QPointF position() const { return {static_cast<double>(x), static_cast<double>(y)}; }
};

// A drawing tool: its own part of a press, of each drag step and of the
// release. CanvasInput does the steps common to all tools around them.
class Tool
{
public:
    virtual ~Tool() = default;

    virtual void press(ToolContext &context, const ToolEvent &event);
    virtual void drag(ToolContext &context, const ToolEvent &event);
    virtual void release(ToolContext &context, const ToolEvent &event);
};

inline constexpr int ToolCount = 22;

// The tool of the palette at index (0..21), or nullptr where that index has
// no action.
std::unique_ptr<Tool> makeTool(int index);
