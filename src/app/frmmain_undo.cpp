#include "frmmain.h"

#include "core/common_dialogs.h"

#include <QAction>
#include <QPushButton>

namespace {

QPushButton *makeCommandButton(QWidget *parent, const QString &name, const QString &caption,
                               const QString &toolTip, int x)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setAccessibleName(caption);
    // Enter clicks the button with the focus, as Space does and as in the
    // program's dialogs; outside a dialog Qt leaves Enter to autoDefault.
    button->setAutoDefault(true);
    button->setGeometry(x, 16, 41, 33);
    return button;
}

} // namespace

void frmmain::buildUndoCommands()
{
    Command1 = makeCommandButton(pTop, QStringLiteral("Command1"), QStringLiteral("撤消"),
                                 QStringLiteral("撤消当前动作"), 560);
    Command2 = makeCommandButton(pTop, QStringLiteral("Command2"), QStringLiteral("恢复"),
                                 QStringLiteral("恢复当前动作"), 608);
    Command3 = makeCommandButton(pTop, QStringLiteral("Command3"), QStringLiteral("清除"),
                                 QStringLiteral("清除当前图像"), 656);
    connect(Command1, &QPushButton::clicked, this, &frmmain::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmmain::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmmain::Command3_Click);
    connect(CX, &QAction::triggered, this, &frmmain::CX_Click);
    connect(HH, &QAction::triggered, this, &frmmain::HH_Click);
    connect(mnuClear, &QAction::triggered, this, &frmmain::mnuClear_Click);
}

void frmmain::Command1_Click()
{
    CX_Click();
}

void frmmain::Command2_Click()
{
    HH_Click();
}

void frmmain::Command3_Click()
{
    mnuClear_Click();
}

void frmmain::CX_Click()
{
    restoreCanvas(&UndoStore::restoreBefore);
}

void frmmain::HH_Click()
{
    restoreCanvas(&UndoStore::restoreAfter);
}

void frmmain::restoreCanvas(bool (UndoStore::*restore)())
{
    const QSize before = m_canvas.size();
    if (!(m_undo.*restore)()) {
        m_dialogs.message(this, QStringLiteral("图片太大，无法恢复。"), windowTitle(),
                          CommonDialogs::Icon::Warning);
        return;
    }
    if (m_canvas.size() != before)
        canvasSizeChanged();
}

void frmmain::canvasSizeChanged()
{
    PlaceGrips();
    UpdateScrollBars();
    showCanvasSize();
}

void frmmain::mnuClear_Click()
{
    if (!m_dialogs.askYesNo(this, QStringLiteral("确定要消除当前图像吗?"),
                            QStringLiteral("清除图像"), CommonDialogs::Icon::None))
        return;
    // Emptying the holders of a canvas that could not be cleared would lose
    // the user's only way back for nothing.
    if (!m_canvas.setPicture(QImage())) {
        m_dialogs.message(this, QStringLiteral("内存不足，无法清除图像。"), windowTitle(),
                          CommonDialogs::Icon::Warning);
        return;
    }
    m_undo.clear();
}
