#include "clone_tool.h"

#include "canvas_host.h"
#include "core/numbers.h"
#include "core/surface.h"
#include "tool_options.h"
#include "tool_state.h"

void CloneTool::press(ToolContext &context, const ToolEvent &event)
{
    if (event.shift != AltOnly)
        return;
    ToolState &state = context.state;
    state.CloneSourceNew = true;
    state.MarkX = event.x;
    state.MarkY = event.y;
    // Centred on the source point until cloning starts.
    const int side = context.options.CloneSize;
    const int half = side / 2;
    context.host.setCloneMarker(QRect(roundToInt(event.x - static_cast<float>(half)),
                                      roundToInt(event.y - static_cast<float>(half)), side, side));
}

void CloneTool::drag(ToolContext &context, const ToolEvent &event)
{
    ToolState &state = context.state;
    if (state.CloneSourceNew) {
        state.CloneDX = event.x - state.MarkX;
        state.CloneDY = event.y - state.MarkY;
        state.CloneSourceNew = false;
        return;
    }
    Surface &canvas = context.canvas;
    canvas.setAutoRedraw(true);
    const int side = context.options.CloneSize;
    const QPoint source(roundToInt(event.x - state.CloneDX), roundToInt(event.y - state.CloneDY));
    const QPoint target(roundToInt(event.x), roundToInt(event.y));
    // The copy reads the whole source block before it writes, so blocks that
    // overlap copy as if source and target were apart; only what lies inside
    // the picture at both ends is copied.
    canvas.bitBlt(QRect(target, QSize(side, side)), canvas, source);
    // From now on the marker covers the source block exactly.
    if (!context.host.cloneMarker().isNull())
        context.host.setCloneMarker(QRect(source, QSize(side, side)));
    canvas.refresh();
}
