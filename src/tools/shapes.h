#pragma once

#include "tool.h"

// Tools that draw one shape between the press point and the pointer. All but
// the star show a preview on the screen layer while the button is held and
// commit the shape at the release.

class LineTool : public Tool
{
public:
    void drag(ToolContext &context, const ToolEvent &event) override;
    void release(ToolContext &context, const ToolEvent &event) override;
};

// Commits a ray from the press point at every drag step: a burst of lines.
class StarTool : public Tool
{
public:
    void drag(ToolContext &context, const ToolEvent &event) override;
};

// Axis-aligned box, outlined or filled in the pen colour.
class BoxTool : public Tool
{
public:
    explicit BoxTool(bool filled) : m_filled(filled) {}
    void drag(ToolContext &context, const ToolEvent &event) override;
    void release(ToolContext &context, const ToolEvent &event) override;

private:
    void draw(ToolContext &context, const ToolEvent &event) const;
    bool m_filled;
};

// Circle, ellipse and rounded rectangle: hollow, or filled with the canvas
// FillColor, which the filled variants set to the pen colour at each drag
// step (a release without a drag step fills with whatever it was before).
class ClosedShapeTool : public Tool
{
public:
    void drag(ToolContext &context, const ToolEvent &event) override;
    void release(ToolContext &context, const ToolEvent &event) override;

protected:
    explicit ClosedShapeTool(bool filled) : m_filled(filled) {}
    virtual void drawShape(ToolContext &context, const ToolEvent &event) const = 0;

private:
    bool m_filled;
};

// Centred on the press point, through the pointer.
class CircleTool : public ClosedShapeTool
{
public:
    explicit CircleTool(bool filled) : ClosedShapeTool(filled) {}

protected:
    void drawShape(ToolContext &context, const ToolEvent &event) const override;
};

// Inscribed in the box between the press point and the pointer.
class EllipseTool : public ClosedShapeTool
{
public:
    explicit EllipseTool(bool filled) : ClosedShapeTool(filled) {}

protected:
    void drawShape(ToolContext &context, const ToolEvent &event) const override;
};

// The box between the press point and the pointer with 12 × 12 corners.
class RoundRectTool : public ClosedShapeTool
{
public:
    static constexpr int Corner = 12;
    explicit RoundRectTool(bool filled) : ClosedShapeTool(filled) {}

protected:
    void drawShape(ToolContext &context, const ToolEvent &event) const override;
};
