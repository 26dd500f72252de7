#pragma once

#include "core/colour.h"

#include <QPointF>
#include <QRect>
#include <QString>

struct TextSettings;

// What the canvas routing and the tools need from the main window. The main
// window implements it (or a small adapter does) and hands it to CanvasInput.
class CanvasHost
{
public:
    virtual ~CanvasHost() = default;

    // Undo store: the before-picture at the start of every press, the
    // after-picture at the end of every release.
    virtual void takeBeforeSnapshot() = 0;
    virtual void takeAfterSnapshot() = 0;

    // The pointer position text of the status bar ("120,45").
    virtual void setStatusPosition(const QString &text) = 0;

    // The palette's two current colours; the colour pick writes them.
    virtual Colour color1() const = 0;
    virtual Colour color2() const = 0;
    virtual void setColor1(Colour colour) = 0;
    virtual void setColor2(Colour colour) = 0;

    // The selection frame and the private clipboard.
    virtual bool selectionVisible() const = 0;
    virtual void cut() = 0;
    // While a paste waits: the clipboard picture centred on the pointer, on
    // the screen only (preview) or into the picture (commit).
    virtual void pastePreview(QPointF at) = 0;
    virtual void pasteCommit(QPointF at) = 0;

    // The overlays of the canvas view, which never touch the picture, and
    // the text dialog.
    // The selection frame around the pixels of frame, edges included; a
    // null rectangle hides it.
    virtual void setSelectionFrame(const QRect &frame) = 0;
    // The clone marker square; null while hidden.
    virtual QRect cloneMarker() const = 0;
    virtual void setCloneMarker(const QRect &marker) = 0;
    // Asks for the text to write, starting from settings; true on OK, with
    // the choice left in settings.
    virtual bool askText(TextSettings &settings) = 0;
};
