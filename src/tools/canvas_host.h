#pragma once

#include "core/colour.h"

#include <QString>

struct TextSettings;

// What the canvas routing and the tools need from the window around them:
// the parts that are user interface, not document.
class CanvasHost
{
public:
    virtual ~CanvasHost() = default;

    // The pointer position text of the status bar ("120,45").
    virtual void setStatusPosition(const QString &text) = 0;

    // The palette's two current colours; the colour pick writes them.
    virtual Colour colour1() const = 0;
    virtual Colour colour2() const = 0;
    virtual void setColour1(Colour colour) = 0;
    virtual void setColour2(Colour colour) = 0;

    // Asks for the text to write, starting from settings; true on OK, with
    // the choice left in settings.
    virtual bool askText(TextSettings &settings) = 0;
};
