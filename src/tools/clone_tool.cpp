#include "clone_tool.h"

#include "core/document.h"
#include "core/numbers.h"
#include "core/surface.h"
#include "tool_options.h"

void CloneTool::press(ToolContext &context, const ToolEvent &event)
{
    if (event.modifiers != Qt::AltModifier)
        return;
    m_sourceNew = true;
    m_source = event.position();
    // Centred on the source point until cloning starts.
    const int side = context.options.cloneSize;
    const int half = side / 2;
    context.document.setCloneMarker(QRect(roundToInt(event.x - static_cast<float>(half)),
                                          roundToInt(event.y - static_cast<float>(half)), side,
                                          side));
}

void CloneTool::drag(ToolContext &context, const ToolEvent &event)
{
    if (m_sourceNew) {
        m_offsetX = event.x - static_cast<float>(m_source.x());
        m_offsetY = event.y - static_cast<float>(m_source.y());
        m_sourceNew = false;
        return;
    }
    const int side = context.options.cloneSize;
    const QPoint source(roundToInt(event.x - m_offsetX), roundToInt(event.y - m_offsetY));
    const QPoint target(roundToInt(event.x), roundToInt(event.y));
    // The copy reads the whole source block before it writes, so blocks that
    // overlap copy as if source and target were apart; only what lies inside
    // the picture at both ends is copied.
    context.commit(
        [&](Surface &canvas) { canvas.bitBlt(QRect(target, QSize(side, side)), canvas, source); });
    // From now on the marker covers the source block exactly.
    if (!context.document.cloneMarker().isNull())
        context.document.setCloneMarker(QRect(source, QSize(side, side)));
}

void CloneTool::anyToolChosen(ToolContext &context)
{
    m_sourceNew = false;
    context.document.setCloneMarker(QRect());
}
