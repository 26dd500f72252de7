#include "curve_polygon.h"

#include "core/surface.h"
#include "freehand.h"
#include "tool_state.h"

namespace {

void commitLine(ToolContext &context, QPointF from, QPointF to)
{
    context.commit([&](Surface &canvas) { canvas.line(from, to, context.pen); });
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
    commitLine(context, m_start, event.position());
}

void PolygonTool::press(ToolContext &context, const ToolEvent &event)
{
    if (m_open) {
        commitLine(context, m_lastVertex, event.position());
        return;
    }
    m_lastVertex = event.position();
    context.commit([&](Surface &canvas) { canvas.pset(event.position(), context.pen); });
    m_open = true;
}

void PolygonTool::drag(ToolContext &context, const ToolEvent &event)
{
    context.preview([&](Surface &canvas) {
        canvas.line(context.state.anchor(), event.position(), context.pen);
    });
}

void PolygonTool::release(ToolContext &context, const ToolEvent &event)
{
    const QPointF pressPoint = context.state.anchor();
    commitLine(context, pressPoint, event.position());
    // The edge the press drew, once more from this end (a point when the
    // press opened the chain).
    commitLine(context, pressPoint, m_lastVertex);
    m_lastVertex = event.position();
}
