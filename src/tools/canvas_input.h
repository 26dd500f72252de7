#pragma once

#include "core/random.h"
#include "tool.h"
#include "tool_table.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>

class CanvasHost;
class Clipboard;
class Document;
struct ToolOptions;
struct ToolState;

// The steps that every mouse event on the canvas takes around the current
// tool's own action: the document's change that Undo takes back, the pen, the
// anchor, the paste hooks and the pointer position in the status bar. The canvas view's events come
// here in canvas pixels: mouse down to press(), move to move(), up to release(), a double-click to
// doubleClick() alone (its second press is not a press; its release is), key up to keyUp(). Only
// the left, right and middle buttons and Shift, Ctrl and Alt reach the tools.
class CanvasInput
{
public:
    // Until a host is set the palette reads as black and white and the text
    // dialog as cancelled.
    CanvasInput(Document &document, ToolState &state, ToolOptions &options, Clipboard &clipboard,
                RandomSource &random = programRandom());
    ~CanvasInput();

    CanvasInput(const CanvasInput &) = delete;
    CanvasInput &operator=(const CanvasInput &) = delete;

    // The palette chose a tool (or none): the selection goes, and every tool
    // hears of it.
    void chooseTool(std::optional<ToolId> id);
    // The window around the canvas, nullptr for none; not owned.
    void setHost(CanvasHost *host);

    void press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at);
    void move(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF at);
    void release(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at);
    void doubleClick();
    void keyUp(Qt::Key key);

    Tool &tool(ToolId id) const { return *m_tools[static_cast<std::size_t>(id)]; }

    // The status text for a pointer position: "120,45", "12.5,3".
    static QString positionText(float x, float y);

private:
    // The current tool, or nullptr when none is chosen.
    Tool *currentTool() const;
    ToolContext context();

    Document &m_document;
    ToolState &m_state;
    ToolOptions &m_options;
    Clipboard &m_clipboard;
    CanvasHost *m_host;
    RandomSource &m_random;
    // The pen of the stroke, built at the press; a middle-button press keeps
    // the colour of the press before.
    Pen m_pen;
    std::array<std::unique_ptr<Tool>, ToolCount> m_tools;
};
