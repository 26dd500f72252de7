#include "canvas_input.h"

#include "canvas_host.h"
#include "clipboard.h"
#include "core/document.h"
#include "core/surface.h"
#include "tool_state.h"

#include <charconv>

namespace {

constexpr Qt::MouseButtons ReportedButtons = Qt::LeftButton | Qt::RightButton | Qt::MiddleButton;
constexpr Qt::KeyboardModifiers ReportedModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// Shortest decimal that reads back as the same single-precision value, in
// plain notation: 120 -> "120", 12.5 -> "12.5".
QString decimal(float value)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

ToolEvent eventAt(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF at)
{
    return {static_cast<float>(at.x()), static_cast<float>(at.y()), buttons & ReportedButtons,
            modifiers & ReportedModifiers};
}

// The host of a canvas input that no window has bound yet.
class NoHost : public CanvasHost
{
public:
    void setStatusPosition(const QString &) override {}
    Colour colour1() const override { return 0x00000000; }
    Colour colour2() const override { return 0x00FFFFFF; }
    void setColour1(Colour) override {}
    void setColour2(Colour) override {}
    bool askText(TextSettings &) override { return false; }
};

NoHost noHost;

} // namespace

CanvasInput::CanvasInput(Document &document, ToolState &state, ToolOptions &options,
                         Clipboard &clipboard, RandomSource &random)
    : m_document(document), m_state(state), m_options(options), m_clipboard(clipboard),
      m_host(&noHost), m_random(random)
{
    for (const ToolRow &row : toolTable())
        m_tools[static_cast<std::size_t>(row.id)] = row.make();
}

CanvasInput::~CanvasInput() = default;

void CanvasInput::setHost(CanvasHost *host)
{
    m_host = host ? host : &noHost;
}

QString CanvasInput::positionText(float x, float y)
{
    return decimal(x) + u',' + decimal(y);
}

Tool *CanvasInput::currentTool() const
{
    return m_state.currentTool ? &tool(*m_state.currentTool) : nullptr;
}

ToolContext CanvasInput::context()
{
    return {m_document, m_state, m_options, *m_host, m_random, m_pen};
}

void CanvasInput::chooseTool(std::optional<ToolId> id)
{
    m_state.currentTool = id;
    m_document.clearSelection();
    ToolContext c = context();
    for (const std::unique_ptr<Tool> &each : m_tools)
        each->anyToolChosen(c);
}

void CanvasInput::press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at)
{
    // Undo must not bring back anything this press draws.
    m_document.beginChange();
    const Surface &canvas = m_document.canvas();
    Colour colour = m_pen.colour;
    if (button == Qt::LeftButton)
        colour = m_host->colour1();
    else if (button == Qt::RightButton)
        colour = m_host->colour2();
    m_pen = Pen{colour, canvas.drawWidth(), canvas.drawStyle()};
    const ToolEvent event = eventAt(button, modifiers, at);
    m_state.anchorX = event.x;
    m_state.anchorY = event.y;
    m_state.strokeInProgress = true;
    if (Tool *tool = currentTool()) {
        ToolContext c = context();
        tool->press(c, event);
    }
}

void CanvasInput::move(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF at)
{
    const ToolEvent event = eventAt(buttons, modifiers, at);
    if (m_state.strokeInProgress) {
        if (m_state.pastePending)
            m_clipboard.preview(event.position());
        Tool *tool = currentTool();
        if (tool && toolRow(*m_state.currentTool).drags) {
            ToolContext c = context();
            tool->drag(c, event);
        }
    }
    m_host->setStatusPosition(positionText(event.x, event.y));
}

void CanvasInput::release(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at)
{
    const ToolEvent event = eventAt(button, modifiers, at);
    if (m_state.pastePending)
        m_clipboard.commit(event.position());
    if (Tool *tool = currentTool()) {
        ToolContext c = context();
        tool->release(c, event);
    }
    m_state.pastePending = false;
    m_state.strokeInProgress = false;
    m_document.endChange();
}

void CanvasInput::doubleClick()
{
    for (const std::unique_ptr<Tool> &each : m_tools)
        each->doubleClicked();
}

void CanvasInput::keyUp(Qt::Key key)
{
    if (key == Qt::Key_Delete && m_document.hasSelection())
        m_clipboard.cutSelection();
}
