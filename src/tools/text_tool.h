#pragma once

#include "text_settings.h"
#include "tool.h"

// Writes one line of text where the button is released, asking for it in the
// Text dialog, in the pen colour of the press; with the 3D effect a second copy
// in the second colour lies over it 2 pixels right and down. The dialog's
// last choices live here for the whole run.
class TextTool : public Tool
{
public:
    // The offset of the 3D effect's second copy.
    static constexpr int EffectOffset = 2;

    void release(ToolContext &context, const ToolEvent &event) override;

private:
    TextSettings m_settings;
};
