#pragma once

#include "core/colour.h"
#include "tool.h"

#include <QImage>

// One pen step of a freehand line: a line with the stroke's pen from the
// anchor to the pointer, committed; the anchor follows the pointer.
void penStep(ToolContext &context, const ToolEvent &event);

// Tools that draw straight into the picture while the button is held. Their
// drag step runs once at the press too, so a click leaves a mark.
class FreehandTool : public Tool
{
public:
    void press(ToolContext &context, const ToolEvent &event) final { drag(context, event); }
};

// Pencil: a line with the stroke's pen from the previous pointer position.
class PencilTool : public FreehandTool
{
public:
    void drag(ToolContext &context, const ToolEvent &event) override;
};

// Brush: the brush bitmap, black turned into the pen colour, stamped
// centred on the pointer with magenta left out.
class BrushTool : public FreehandTool
{
public:
    void drag(ToolContext &context, const ToolEvent &event) override;

private:
    void recolour(ToolContext &context);

    // The stamp is rebuilt only when the pen colour or either holder changed.
    Colour m_stampColour = NoColour;
    qint64 m_sourceKey = 0;
    qint64 m_stampKey = 0;
};

// Eraser: a square or round stamp in the canvas background colour, outlined
// with the stroke's line width.
class EraserTool : public FreehandTool
{
public:
    void drag(ToolContext &context, const ToolEvent &event) override;
};

// Airbrush: eleven dots scattered below and right of the pointer.
class AirbrushTool : public FreehandTool
{
public:
    void drag(ToolContext &context, const ToolEvent &event) override;
};
