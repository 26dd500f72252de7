#include "select_tool.h"

#include "core/document.h"
#include "core/numbers.h"
#include "tool_state.h"

#include <algorithm>
#include <cmath>

void SelectTool::press(ToolContext &context, const ToolEvent &)
{
    context.document.setSelection(QRect());
}

void SelectTool::drag(ToolContext &context, const ToolEvent &event)
{
    // The frame spans from the smaller coordinate over the distance, both
    // edges included, whichever way the drag goes.
    const ToolState &state = context.state;
    const int left = roundToInt(std::min(state.anchorX, event.x));
    const int top = roundToInt(std::min(state.anchorY, event.y));
    const int width = roundToInt(std::fabs(event.x - state.anchorX));
    const int height = roundToInt(std::fabs(event.y - state.anchorY));
    context.document.setSelection(QRect(left, top, width + 1, height + 1));
}
