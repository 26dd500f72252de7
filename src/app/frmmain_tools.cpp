#include "frmmain.h"

#include "controls/bordered_box.h"
#include "controls/color_pallete.h"
#include "controls/picture_box.h"
#include "core/common_dialogs.h"
#include "tools/tool_option_panels.h"
#include "tools/tool_palette.h"

#include <QLabel>

namespace {

constexpr int ToolClone = 19;
constexpr int ToolText = 21;
constexpr int ToolPencil = 1;

} // namespace

void frmmain::buildTools()
{
    QWidget *box = pTools->client();
    m_toolPalette = new ToolPalette(box);
    m_toolPalette->setGeometry(0, lblTitle->height(), pTools->innerSize().width(),
                               ToolCount * ToolPalette::ButtonHeight);
    connect(m_toolPalette, &ToolPalette::toolClicked, this, &frmmain::cmdtool_Click);

    m_toolPanels = new ToolOptionPanels(m_canvas, m_toolOptions, m_dialogs, pTop);
    // Level with the colour palette's middle.
    m_toolPanels->move(288, 15);
    // The eraser's own panel goes right of the undo buttons, where nothing
    // else lives, so that both its panels show in full.
    m_toolPanels->placeEraserPanel(pTop, QPoint(712, 15));

    connect(SrcDc, &PictureBox::mouseDown, this, [this](int button, int shift, double x, double y) {
        m_canvasInput.press(button, shift, x, y);
    });
    connect(SrcDc, &PictureBox::mouseMove, this, [this](int button, int shift, double x, double y) {
        m_canvasInput.move(button, shift, x, y);
    });
    connect(SrcDc, &PictureBox::mouseUp, this, [this](int button, int shift, double x, double y) {
        m_canvasInput.release(button, shift, x, y);
    });
    connect(SrcDc, &PictureBox::dblClick, this, [this] { m_canvasInput.doubleClick(); });
    connect(SrcDc, &PictureBox::keyUp, this, [this](int key) { m_canvasInput.keyUp(key); });
    connect(m_toolPanels, &ToolOptionPanels::cloneSizeChanged, this, &frmmain::cboCloneSize_Click);
}

void frmmain::loadTools()
{
    m_toolPanels->startUp(m_document.DataPath);
    cmdtool_Click(ToolPencil);
}

void frmmain::cmdtool_Click(int index)
{
    m_toolPalette->showSelected(index);
    m_toolPanels->showFor(index);
    m_document.CurrentTool = index;
    SrcDc->hideSelectionFrame();
    m_toolState.CloneSourceNew = false;
    SrcDc->hideMarker();
    if (index == ToolClone)
        m_dialogs.message(this, QStringLiteral("请使用 Alt+鼠标左键 定义新克隆的范围."),
                          windowTitle(), CommonDialogs::Icon::Information);
    else if (index == ToolText)
        m_dialogs.message(this, QStringLiteral("请单击需要放置文字的区域."), windowTitle(),
                          CommonDialogs::Icon::Information);
}

void frmmain::takeBeforeSnapshot()
{
    m_undo.takeBefore();
}

void frmmain::takeAfterSnapshot()
{
    m_undo.takeAfter();
}

void frmmain::setStatusPosition(const QString &text)
{
    setStatusPanel(2, text);
}

Colour frmmain::color1() const
{
    return ColorPallete1->color1();
}

Colour frmmain::color2() const
{
    return ColorPallete1->color2();
}

void frmmain::setColor1(Colour colour)
{
    ColorPallete1->setColor1(colour);
}

void frmmain::setColor2(Colour colour)
{
    ColorPallete1->setColor2(colour);
}
