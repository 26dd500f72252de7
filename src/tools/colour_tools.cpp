#include "colour_tools.h"

#include "canvas_host.h"
#include "core/numbers.h"
#include "core/surface.h"
#include "tool_options.h"
#include "tool_state.h"

namespace {

QPoint rounded(QPointF at)
{
    return {roundToInt(at.x()), roundToInt(at.y())};
}

} // namespace

void FillTool::press(ToolContext &context, const ToolEvent &event)
{
    // A null pattern (the pattern list is empty) fills with the pen colour.
    const QImage pattern = context.options.fillType == 1 ? context.options.pattern : QImage();
    const Colour match = context.canvas().point(event.position());
    context.state.fillColour = context.pen.colour;
    context.commit([&](Surface &canvas) {
        canvas.extFloodFill(event.position(), match, context.pen.colour, pattern);
    });
}

void GradientTool::drag(ToolContext &context, const ToolEvent &event)
{
    context.preview([&](Surface &canvas) {
        canvas.line(context.state.anchor(), event.position(), context.pen.inColour(0x00000000),
                    Surface::LineForm::Box);
    });
}

void GradientTool::release(ToolContext &context, const ToolEvent &event)
{
    // The surface blends system colours as the plain colours they show.
    context.commit([&](Surface &canvas) {
        canvas.gradientFill(rounded(context.state.anchor()), context.host.colour1(),
                            rounded(event.position()), context.host.colour2(),
                            context.options.gradientDirection == 1);
    });
}

void ColourPickTool::press(ToolContext &context, const ToolEvent &event)
{
    const Colour picked = context.canvas().point(event.position());
    if (picked == NoColour)
        return;
    if (event.buttons == Qt::LeftButton)
        context.host.setColour1(picked);
    else if (event.buttons == Qt::RightButton)
        context.host.setColour2(picked);
}
