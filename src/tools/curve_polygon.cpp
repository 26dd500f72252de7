#include "curve_polygon.h"

#include "core/surface.h"
#include "freehand.h"
#include "tool_state.h"

namespace {

QPointF mark(const ToolState &state)
{
    return {static_cast<double>(state.MarkX), static_cast<double>(state.MarkY)};
}

void penLine(ToolContext &context, QPointF from, QPointF to)
{
    Surface &canvas = context.canvas;
    canvas.line(from, to, canvas.foreColor());
}

} // namespace

void CurveTool::press(ToolContext &context, const ToolEvent &event)
{
    context.state.CurveStartX = event.x;
    context.state.CurveStartY = event.y;
}

void CurveTool::drag(ToolContext &context, const ToolEvent &event)
{
    penStep(context, event);
}

void CurveTool::release(ToolContext &context, const ToolEvent &event)
{
    const ToolState &state = context.state;
    const QPointF start(static_cast<double>(state.CurveStartX),
                        static_cast<double>(state.CurveStartY));
    penLine(context, start, event.position());
}

void PolygonTool::press(ToolContext &context, const ToolEvent &event)
{
    ToolState &state = context.state;
    if (state.PolyOpen) {
        penLine(context, mark(state), event.position());
        return;
    }
    state.MarkX = event.x;
    state.MarkY = event.y;
    Surface &canvas = context.canvas;
    canvas.pset(event.position(), canvas.foreColor());
    state.PolyOpen = true;
}

void PolygonTool::drag(ToolContext &context, const ToolEvent &event)
{
    context.canvas.refresh();
    penLine(context, context.state.anchor(), event.position());
}

void PolygonTool::release(ToolContext &context, const ToolEvent &event)
{
    ToolState &state = context.state;
    penLine(context, state.anchor(), event.position());
    // The edge the press drew, once more from this end (a point when the
    // press opened the chain).
    penLine(context, state.anchor(), mark(state));
    state.MarkX = event.x;
    state.MarkY = event.y;
}
