#include "freehand.h"

#include "core/numbers.h"
#include "core/random.h"
#include "core/surface.h"
#include "tool_options.h"
#include "tool_state.h"

#include <cmath>

void penStep(ToolContext &context, const ToolEvent &event)
{
    ToolState &state = context.state;
    context.commit(
        [&](Surface &canvas) { canvas.line(state.anchor(), event.position(), context.pen); });
    state.anchorX = event.x;
    state.anchorY = event.y;
}

void PencilTool::drag(ToolContext &context, const ToolEvent &event)
{
    penStep(context, event);
}

void BrushTool::recolour(ToolContext &context)
{
    Surface &source = context.options.brushSource;
    Surface &stamp = context.options.brushStamp;
    const Colour pen = context.pen.colour;
    const QImage original = source.image();
    if (pen == m_stampColour && original.cacheKey() == m_sourceKey &&
        stamp.image().cacheKey() == m_stampKey)
        return;

    QImage pixels = original.convertToFormat(QImage::Format_RGB32);
    const QRgb penRgb = toQRgb(pen);
    for (int y = 0; y < pixels.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if ((row[x] & 0x00FFFFFFu) == 0)
                row[x] = penRgb;
        }
    }
    stamp.setPicture(pixels);

    m_stampColour = pen;
    m_sourceKey = original.cacheKey();
    m_stampKey = stamp.image().cacheKey();
}

void BrushTool::drag(ToolContext &context, const ToolEvent &event)
{
    recolour(context);
    const Surface &stamp = context.options.brushStamp;
    const int w = stamp.width();
    const int h = stamp.height();
    const QPointF corner = event.position() - QPointF(w / 2, h / 2);
    const QRect target(roundToInt(corner.x()), roundToInt(corner.y()), w, h);
    context.commit([&](Surface &canvas) {
        canvas.transparentBlt(target, stamp, stamp.rect(), TransparentKey);
    });
}

void EraserTool::drag(ToolContext &context, const ToolEvent &event)
{
    const int w = context.options.eraserWidth;
    const int h = w / 2;
    // The corner in single precision, as the pointer position itself.
    const QPointF corner(static_cast<double>(event.x - static_cast<float>(h)),
                         static_cast<double>(event.y - static_cast<float>(h)));
    const Pen eraser = context.pen.inColour(context.canvas().backColour());
    if (context.options.eraserShape != 0)
        context.state.fillColour = eraser.colour;
    context.commit([&](Surface &canvas) {
        if (context.options.eraserShape == 0)
            canvas.line(corner, corner + QPointF(w, w), eraser, Surface::LineForm::FilledBox);
        else
            canvas.circle(corner + QPointF(h, h), w, eraser.filling(eraser.colour));
    });
}

void AirbrushTool::drag(ToolContext &context, const ToolEvent &event)
{
    ToolState &state = context.state;
    const double reach = context.pen.width * 10.0;
    context.commit([&](Surface &canvas) {
        for (int i = 0; i < 11; ++i) {
            const double r1 = context.random.next();
            const double r2 = context.random.next();
            const double dx = std::floor(r1 * reach) - 5;
            const double dy = std::floor(r2 * reach) - 5;
            canvas.pset(state.anchor() + QPointF(dx, dy), context.pen);
            state.anchorX = event.x;
            state.anchorY = event.y;
        }
    });
}
