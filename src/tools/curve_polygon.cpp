#include "curve_polygon.h"

#include "core/surface.h"
#include "freehand.h"
#include "tool_state.h"

namespace {

void penLine(ToolContext &context, QPointF from, QPointF to)
{
    Surface &canvas = context.canvas;
    canvas.line(from, to, canvas.foreColor());
}

} // namespace

void CurveTool::press(ToolContext &, const ToolEvent &event)
{
    m_start = event.position();
}

void CurveTool::drag(ToolContext &context, const ToolEvent &event)
{
    penStep(context, event);
}

void CurveTool::release(ToolContext &context, const ToolEvent &event)
{
    penLine(context, m_start, event.position());
}

void PolygonTool::press(ToolContext &context, const ToolEvent &event)
{
    if (m_open) {
        penLine(context, m_lastVertex, event.position());
        return;
    }
    m_lastVertex = event.position();
    Surface &canvas = context.canvas;
    canvas.pset(event.position(), canvas.foreColor());
    m_open = true;
}

void PolygonTool::drag(ToolContext &context, const ToolEvent &event)
{
    context.canvas.refresh();
    penLine(context, context.state.anchor(), event.position());
}

void PolygonTool::release(ToolContext &context, const ToolEvent &event)
{
    const QPointF pressPoint = context.state.anchor();
    penLine(context, pressPoint, event.position());
    // The edge the press drew, once more from this end (a point when the
    // press opened the chain).
    penLine(context, pressPoint, m_lastVertex);
    m_lastVertex = event.position();
}
