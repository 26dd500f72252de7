#pragma once

#include "tool.h"

#include <QPointF>

// Copies square blocks of the picture from a source to the pointer at a fixed
// offset. A press with Alt alone defines the source; the next drag step fixes
// the offset, which lasts until another source is defined. The marker over the
// canvas shows the source block.
class CloneTool : public Tool
{
public:
    void press(ToolContext &context, const ToolEvent &event) override;
    void drag(ToolContext &context, const ToolEvent &event) override;
    // Choosing any tool hides the marker and forgets a source whose offset
    // is not fixed yet; the offset itself stays.
    void anyToolChosen(ToolContext &context) override;

    bool sourceNew() const { return m_sourceNew; }

private:
    // A source was just defined and the offset is not fixed yet.
    bool m_sourceNew = false;
    QPointF m_source;
    // From source to destination.
    float m_offsetX = 0;
    float m_offsetY = 0;
};
