#include "frmmain.h"

#include "controls/busy_cursor.h"
#include "core/common_dialogs.h"
#include "filters/frmmask.h"
#include "filters/frmstroke.h"
#include "filters/image_tools.h"
#include "filters/picture_mask.h"

#include <QAction>

namespace {

// Runs work (which returns false when it could not have its memory) on the
// whole canvas under the busy cursor, and reports a failure under title.
template <typename Work> void onWholeCanvas(frmmain &window, const QString &title, Work work)
{
    bool done = false;
    {
        const BusyCursor busy;
        done = work();
    }
    if (!done) {
        window.dialogs().message(&window, QStringLiteral("内存不足，图像没有改变。"), title,
                                 CommonDialogs::Icon::Warning);
    }
}

} // namespace

void frmmain::connectImageCommands()
{
    connect(mnuFlipV, &QAction::triggered, this, &frmmain::mnuFlipV_Click);
    connect(mnuFlipHoz, &QAction::triggered, this, &frmmain::mnuFlipHoz_Click);
    connect(mnuBoth, &QAction::triggered, this, &frmmain::mnuBoth_Click);
    connect(mnuStroke, &QAction::triggered, this, &frmmain::mnuStroke_Click);
    connect(mnuMask, &QAction::triggered, this, &frmmain::mnuMask_Click);
}

void frmmain::mnuFlipV_Click()
{
    onWholeCanvas(*this, QStringLiteral("翻转"),
                  [this] { return FlipImage(m_canvas, FlipLeftRight); });
}

void frmmain::mnuFlipHoz_Click()
{
    onWholeCanvas(*this, QStringLiteral("翻转"),
                  [this] { return FlipImage(m_canvas, FlipTopBottom); });
}

void frmmain::mnuBoth_Click()
{
    onWholeCanvas(*this, QStringLiteral("翻转"), [this] { return FlipImage(m_canvas, FlipBoth); });
}

void frmmain::mnuStroke_Click()
{
    {
        frmStroke dialog(m_document, m_dialogs, this);
        dialog.exec();
    }
    if (m_document.DialogResult == Document::DialogConfirmed) {
        onWholeCanvas(*this, QStringLiteral("图像边框"), [this] {
            return DrawBorder(m_canvas, m_document.BorderWidth, m_document.BorderColor);
        });
    }
    m_document.DialogResult = Document::DialogCancelled;
}

void frmmain::mnuMask_Click()
{
    {
        frmMask dialog(m_document, m_canvas, m_dialogs, this);
        dialog.exec();
    }
    if (m_document.DialogResult == Document::DialogConfirmed) {
        ApplyMask({m_canvas, pMask, m_toolOptions.SrcBrush2}, m_document.MaskFile, m_dialogs, this);
    }
    m_document.DialogResult = Document::DialogCancelled;
}
