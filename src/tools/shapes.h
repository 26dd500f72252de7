#pragma once

#include "tool.h"

// The shapes drawn between the press point and the pointer, with a pen that
// fills them when it fills.
namespace Shapes {

void line(Surface &canvas, const Pen &pen, QPointF from, QPointF to);
// Axis-aligned box.
void box(Surface &canvas, const Pen &pen, QPointF from, QPointF to);
// Centred on from, through to.
void circle(Surface &canvas, const Pen &pen, QPointF from, QPointF to);
// Inscribed in the box between the two points.
void ellipse(Surface &canvas, const Pen &pen, QPointF from, QPointF to);
// The box between the two points with 12 x 12 corners.
void roundedBox(Surface &canvas, const Pen &pen, QPointF from, QPointF to);

inline constexpr int Corner = 12;

} // namespace Shapes

// Shows a shape between the press point and the pointer as a preview at each
// drag step, and commits it at the release; filled or only outlined.
class ShapeTool : public Tool
{
public:
    using Shape = void (*)(Surface &canvas, const Pen &pen, QPointF from, QPointF to);
    enum class Inside {
        Empty,
        PenColour,
        // The fill colour, which each drag step sets to the pen colour: a
        // release without one fills with what the last fill left.
        FillColour,
    };

    ShapeTool(Shape shape, Inside inside) : m_shape(shape), m_inside(inside) {}
    void drag(ToolContext &context, const ToolEvent &event) override;
    void release(ToolContext &context, const ToolEvent &event) override;

private:
    void draw(ToolContext &context, Surface &canvas, const ToolEvent &event) const;

    Shape m_shape;
    Inside m_inside;
};

// Commits a ray from the press point at every drag step: a burst of lines.
class StarTool : public Tool
{
public:
    void drag(ToolContext &context, const ToolEvent &event) override;
};
