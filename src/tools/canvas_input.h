#pragma once

#include "core/random.h"
#include "tool.h"

#include <QString>

#include <array>
#include <memory>

class CanvasHost;
class Surface;
struct Document;
struct ToolOptions;
struct ToolState;

// The steps that every mouse event on the canvas takes around the current
// tool's own action: the undo snapshots, the pen colour, the anchor, the
// switch between preview and persistent drawing, the paste hooks and the
// pointer position in the status bar. The main window forwards the canvas
// events here unchanged, positions in canvas pixels: mouse down to press(),
// move to move(), up to release(), a double-click to doubleClick() alone (its
// second press is not a press; its release is), key up to keyUp().
class CanvasInput
{
public:
    // Key code of the Delete key as the canvas reports it.
    static constexpr int DeleteKey = 46;

    CanvasInput(Surface &canvas, Document &document, ToolState &state, ToolOptions &options,
                CanvasHost &host, RandomSource &random = programRandom());
    ~CanvasInput();

    CanvasInput(const CanvasInput &) = delete;
    CanvasInput &operator=(const CanvasInput &) = delete;

    // button: 1 left, 2 right, 4 middle; shift: bit 1 Shift, 2 Ctrl, 4 Alt.
    void press(int button, int shift, double x, double y);
    // button: the buttons held, 0 for none.
    void move(int button, int shift, double x, double y);
    void release(int button, int shift, double x, double y);
    void doubleClick();
    void keyUp(int keyCode);

    // The status text for a pointer position: "120,45", "12.5,3".
    static QString positionText(float x, float y);

private:
    // The current tool, or nullptr when CurrentTool has none.
    Tool *currentTool() const;
    ToolContext context();

    Surface &m_canvas;
    Document &m_document;
    ToolState &m_state;
    ToolOptions &m_options;
    CanvasHost &m_host;
    RandomSource &m_random;
    std::array<std::unique_ptr<Tool>, ToolCount> m_tools;
};
