#pragma once

#include "tool.h"

// Marks a rectangle of the picture with the selection frame, an overlay of
// the canvas view, for the Edit menu's Copy and Cut. A click without a drag
// leaves nothing selected.
class SelectTool : public Tool
{
public:
    void press(ToolContext &context, const ToolEvent &event) override;
    void drag(ToolContext &context, const ToolEvent &event) override;
};
