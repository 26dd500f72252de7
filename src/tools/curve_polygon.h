#pragma once

#include "tool.h"

#include <QPointF>

// Curve: drawn like the pencil while the button is held; the release joins
// the pointer back to the press point with a straight line, so the outline
// closes itself.
class CurveTool : public Tool
{
public:
    void press(ToolContext &context, const ToolEvent &event) override;
    void drag(ToolContext &context, const ToolEvent &event) override;
    void release(ToolContext &context, const ToolEvent &event) override;

private:
    QPointF m_start; // the press point
};

// Polygon: a chain of straight edges, one per press-drag-release, each with a
// rubber band while the button is held. A press joins the last vertex of the
// open chain to the press point; a double-click on the canvas ends the chain
// whatever tool is current, which nothing else does, not even a change of
// tool.
class PolygonTool : public Tool
{
public:
    void press(ToolContext &context, const ToolEvent &event) override;
    void drag(ToolContext &context, const ToolEvent &event) override;
    void release(ToolContext &context, const ToolEvent &event) override;
    void doubleClicked() override { m_open = false; }

    bool chainOpen() const { return m_open; }

private:
    bool m_open = false;
    QPointF m_lastVertex;
};
