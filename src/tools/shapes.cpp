#include "shapes.h"

#include "core/surface.h"
#include "tool_state.h"

#include <cmath>

namespace Shapes {

void line(Surface &canvas, const Pen &pen, QPointF from, QPointF to)
{
    canvas.line(from, to, pen);
}

void box(Surface &canvas, const Pen &pen, QPointF from, QPointF to)
{
    canvas.line(from, to, pen, pen.filled ? Surface::LineForm::FilledBox : Surface::LineForm::Box);
}

void circle(Surface &canvas, const Pen &pen, QPointF from, QPointF to)
{
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    canvas.circle(from, std::sqrt(dy * dy + dx * dx), pen);
}

void ellipse(Surface &canvas, const Pen &pen, QPointF from, QPointF to)
{
    canvas.ellipse(from, to, pen);
}

void roundedBox(Surface &canvas, const Pen &pen, QPointF from, QPointF to)
{
    canvas.roundRect(from, to, Corner, Corner, pen);
}

} // namespace Shapes

void ShapeTool::draw(ToolContext &context, Surface &canvas, const ToolEvent &event) const
{
    const Pen &pen = context.pen;
    m_shape(canvas,
            m_inside == Inside::Empty       ? pen
            : m_inside == Inside::PenColour ? pen.filling(pen.colour)
                                            : pen.filling(context.state.fillColour),
            context.state.anchor(), event.position());
}

void ShapeTool::drag(ToolContext &context, const ToolEvent &event)
{
    if (m_inside == Inside::FillColour)
        context.state.fillColour = context.pen.colour;
    context.preview([&](Surface &canvas) { draw(context, canvas, event); });
}

void ShapeTool::release(ToolContext &context, const ToolEvent &event)
{
    context.commit([&](Surface &canvas) { draw(context, canvas, event); });
}

void StarTool::drag(ToolContext &context, const ToolEvent &event)
{
    context.commit([&](Surface &canvas) {
        Shapes::line(canvas, context.pen, context.state.anchor(), event.position());
    });
}
