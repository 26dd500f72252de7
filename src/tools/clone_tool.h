#pragma once

#include "tool.h"

// Copies square blocks of the picture from a source to the pointer at a fixed
// offset. A press with Alt alone defines the source; the next drag step fixes
// the offset, which lasts until another source is defined. The marker over the
// canvas shows the source block.
class CloneTool : public Tool
{
public:
    // The shift state that defines a source: Alt without Shift or Ctrl.
    static constexpr int AltOnly = 4;

    void press(ToolContext &context, const ToolEvent &event) override;
    void drag(ToolContext &context, const ToolEvent &event) override;
};
