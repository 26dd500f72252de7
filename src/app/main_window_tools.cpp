#include "main_window.h"

#include "controls/bordered_box.h"
#include "controls/canvas_view.h"
#include "controls/colour_palette.h"
#include "core/common_dialogs.h"
#include "editor.h"
#include "tools/tool_option_panels.h"
#include "tools/tool_palette.h"

#include <QLabel>

void MainWindow::buildTools()
{
    QWidget *box = m_toolBox->client();
    m_toolPalette = new ToolPalette(box);
    m_toolPalette->setGeometry(0, m_toolBoxTitle->height(), m_toolBox->innerSize().width(),
                               ToolCount * ToolPalette::ButtonHeight);
    connect(m_toolPalette, &ToolPalette::toolClicked, this, &MainWindow::chooseTool);

    m_toolPanels = new ToolOptionPanels(m_editor.document().canvas(), m_editor.toolOptions(),
                                        m_dialogs, m_topStrip);
    // Level with the colour palette's middle.
    m_toolPanels->move(288, 15);
    // The eraser's own panel goes right of the undo buttons, where nothing
    // else lives, so that both its panels show in full.
    m_toolPanels->placeEraserPanel(m_topStrip, QPoint(712, 15));
    connect(m_toolPanels, &ToolOptionPanels::cloneSizeChanged, &m_editor,
            &Editor::resizeCloneMarker);

    CanvasInput &input = m_editor.canvasInput();
    connect(m_canvasView, &CanvasView::mouseDown, this,
            [&input](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at) {
                input.press(button, modifiers, at);
            });
    connect(m_canvasView, &CanvasView::mouseMove, this,
            [&input](Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF at) {
                input.move(buttons, modifiers, at);
            });
    connect(m_canvasView, &CanvasView::mouseUp, this,
            [&input](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at) {
                input.release(button, modifiers, at);
            });
    connect(m_canvasView, &CanvasView::dblClick, this, [&input] { input.doubleClick(); });
    connect(m_canvasView, &CanvasView::keyUp, this, [&input](Qt::Key key) { input.keyUp(key); });
}

void MainWindow::chooseTool(ToolId id)
{
    const ToolRow &row = toolRow(id);
    m_toolPalette->showSelected(id);
    m_toolPanels->showFor(row.panels);
    m_editor.canvasInput().chooseTool(id);
    if (row.hint)
        m_dialogs.message(this, row.hintText(), windowTitle(), CommonDialogs::Icon::Information);
}

Colour MainWindow::colour1() const
{
    return m_palette->colour1();
}

Colour MainWindow::colour2() const
{
    return m_palette->colour2();
}

void MainWindow::setColour1(Colour colour)
{
    m_palette->setColour1(colour);
}

void MainWindow::setColour2(Colour colour)
{
    m_palette->setColour2(colour);
}
