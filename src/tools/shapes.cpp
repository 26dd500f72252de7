#include "shapes.h"

#include "core/surface.h"
#include "tool_state.h"

#include <cmath>

namespace {

void drawLine(ToolContext &context, const ToolEvent &event)
{
    Surface &canvas = context.canvas;
    canvas.line(context.state.anchor(), event.position(), canvas.foreColor());
}

} // namespace

void LineTool::drag(ToolContext &context, const ToolEvent &event)
{
    context.canvas.refresh();
    drawLine(context, event);
}

void LineTool::release(ToolContext &context, const ToolEvent &event)
{
    drawLine(context, event);
}

void StarTool::drag(ToolContext &context, const ToolEvent &event)
{
    context.canvas.setAutoRedraw(true);
    drawLine(context, event);
}

void BoxTool::draw(ToolContext &context, const ToolEvent &event) const
{
    Surface &canvas = context.canvas;
    canvas.line(context.state.anchor(), event.position(), canvas.foreColor(),
                m_filled ? Surface::LineForm::FilledBox : Surface::LineForm::Box);
}

void BoxTool::drag(ToolContext &context, const ToolEvent &event)
{
    context.canvas.refresh();
    draw(context, event);
}

void BoxTool::release(ToolContext &context, const ToolEvent &event)
{
    draw(context, event);
}

void ClosedShapeTool::drag(ToolContext &context, const ToolEvent &event)
{
    Surface &canvas = context.canvas;
    canvas.refresh();
    if (m_filled) {
        canvas.setFillColor(canvas.foreColor());
        canvas.setFillStyle(0);
    }
    drawShape(context, event);
}

void ClosedShapeTool::release(ToolContext &context, const ToolEvent &event)
{
    if (m_filled)
        context.canvas.setFillStyle(0);
    drawShape(context, event);
}

void CircleTool::drawShape(ToolContext &context, const ToolEvent &event) const
{
    const QPointF centre = context.state.anchor();
    const QPointF to = event.position();
    const double dx = to.x() - centre.x();
    const double dy = to.y() - centre.y();
    Surface &canvas = context.canvas;
    canvas.circle(centre, std::sqrt(dy * dy + dx * dx), canvas.foreColor());
}

void EllipseTool::drawShape(ToolContext &context, const ToolEvent &event) const
{
    context.canvas.ellipse(context.state.anchor(), event.position());
}

void RoundRectTool::drawShape(ToolContext &context, const ToolEvent &event) const
{
    context.canvas.roundRect(context.state.anchor(), event.position(), Corner, Corner);
}
