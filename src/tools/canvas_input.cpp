#include "canvas_input.h"

#include "canvas_host.h"
#include "core/document.h"
#include "core/surface.h"
#include "tool_state.h"

#include <charconv>

namespace {

// Tools past this one (the text tool) have no drag step.
constexpr int LastDraggingTool = 20;

// Shortest decimal that reads back as the same single-precision value, in
// plain notation: 120 -> "120", 12.5 -> "12.5".
QString decimal(float value)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

ToolEvent eventAt(int button, int shift, double x, double y)
{
    return {static_cast<float>(x), static_cast<float>(y), button, shift};
}

} // namespace

CanvasInput::CanvasInput(Surface &canvas, Document &document, ToolState &state,
                         ToolOptions &options, CanvasHost &host, RandomSource &random)
    : m_canvas(canvas), m_document(document), m_state(state), m_options(options), m_host(host),
      m_random(random)
{
    for (int i = 0; i < ToolCount; ++i)
        m_tools[static_cast<std::size_t>(i)] = makeTool(i);
}

CanvasInput::~CanvasInput() = default;

QString CanvasInput::positionText(float x, float y)
{
    return decimal(x) + u',' + decimal(y);
}

Tool *CanvasInput::currentTool() const
{
    const int index = m_document.CurrentTool;
    if (index < 0 || index >= ToolCount)
        return nullptr;
    return m_tools[static_cast<std::size_t>(index)].get();
}

ToolContext CanvasInput::context()
{
    return {m_canvas, m_state, m_options, m_host, m_random};
}

void CanvasInput::press(int button, int shift, double x, double y)
{
    // The before-picture must not hold anything this press draws.
    m_host.takeBeforeSnapshot();
    if (button == 1)
        m_canvas.setForeColor(m_host.color1());
    else if (button == 2)
        m_canvas.setForeColor(m_host.color2());
    const ToolEvent event = eventAt(button, shift, x, y);
    m_state.AnchorX = event.x;
    m_state.AnchorY = event.y;
    m_state.IsDrawing = true;
    if (Tool *tool = currentTool()) {
        ToolContext c = context();
        tool->press(c, event);
    }
    m_canvas.setAutoRedraw(false);
    m_canvas.setFillStyle(1);
}

void CanvasInput::move(int button, int shift, double x, double y)
{
    const ToolEvent event = eventAt(button, shift, x, y);
    if (m_state.IsDrawing) {
        if (m_state.PastePending)
            m_host.pastePreview(event.position());
        Tool *tool = m_document.CurrentTool <= LastDraggingTool ? currentTool() : nullptr;
        if (tool) {
            ToolContext c = context();
            tool->drag(c, event);
        }
    }
    m_host.setStatusPosition(positionText(event.x, event.y));
}

void CanvasInput::release(int button, int shift, double x, double y)
{
    const ToolEvent event = eventAt(button, shift, x, y);
    m_canvas.setFillStyle(1);
    m_canvas.setAutoRedraw(true);
    if (m_state.PastePending)
        m_host.pasteCommit(event.position());
    if (Tool *tool = currentTool()) {
        ToolContext c = context();
        tool->release(c, event);
    }
    m_state.PastePending = false;
    m_state.IsDrawing = false;
    m_canvas.refresh();
    m_host.takeAfterSnapshot();
}

void CanvasInput::doubleClick()
{
    m_state.PolyOpen = false;
}

void CanvasInput::keyUp(int keyCode)
{
    if (keyCode == DeleteKey && m_host.selectionVisible())
        m_host.cut();
}
