#include "frmmain.h"

#include "controls/picture_box.h"

#include <QAction>

void frmmain::connectEditCommands()
{
    connect(mnuCut, &QAction::triggered, this, &frmmain::mnuCut_Click);
    connect(mnuCopy, &QAction::triggered, this, &frmmain::mnuCopy_Click);
    connect(mnuPaste, &QAction::triggered, this, &frmmain::mnuPaste_Click);
    // The mark is the switch: New and Open clear it without a click.
    connect(MnuDQue, &QAction::toggled, this, &frmmain::MnuDQue_Click);
    m_clipboard.setKeyed(MnuDQue->isChecked());
}

void frmmain::mnuCut_Click()
{
    if (m_clipboard.cut(SrcDc->selectionFrame()))
        SrcDc->hideSelectionFrame();
}

void frmmain::mnuCopy_Click()
{
    if (m_clipboard.copy(SrcDc->selectionFrame()))
        SrcDc->hideSelectionFrame();
}

void frmmain::mnuPaste_Click()
{
    m_clipboard.paste();
}

void frmmain::MnuDQue_Click(bool checked)
{
    m_clipboard.setKeyed(checked);
}

bool frmmain::selectionVisible() const
{
    return !SrcDc->selectionFrame().isNull();
}

void frmmain::setSelectionFrame(const QRect &frame)
{
    SrcDc->setSelectionFrame(frame);
}

void frmmain::cut()
{
    mnuCut_Click();
}

void frmmain::pastePreview(QPointF at)
{
    m_clipboard.preview(at);
}

void frmmain::pasteCommit(QPointF at)
{
    m_clipboard.commit(at);
}
