#include "frmmain.h"

#include "filters/bitmap.h"
#include "filters/frmmask.h"
#include "filters/frmstroke.h"
#include "filters/image_tools.h"
#include "filters/picture_mask.h"

#include <QAction>

namespace {

// The image tools return false when they could not have their memory; as a
// filter outcome they run and report the way the filters do.
FilterOutcome outcomeOf(bool done)
{
    return done ? FilterOutcome::Done : FilterOutcome::NoMemory;
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
    m_filterCommands.run(QStringLiteral("翻转"), [](Surface &canvas) {
        return outcomeOf(FlipImage(canvas, FlipLeftRight));
    });
}

void frmmain::mnuFlipHoz_Click()
{
    m_filterCommands.run(QStringLiteral("翻转"), [](Surface &canvas) {
        return outcomeOf(FlipImage(canvas, FlipTopBottom));
    });
}

void frmmain::mnuBoth_Click()
{
    m_filterCommands.run(QStringLiteral("翻转"),
                         [](Surface &canvas) { return outcomeOf(FlipImage(canvas, FlipBoth)); });
}

void frmmain::mnuStroke_Click()
{
    {
        frmStroke dialog(m_document, m_dialogs, this);
        dialog.exec();
    }
    if (m_document.DialogResult == Document::DialogConfirmed) {
        m_filterCommands.run(QStringLiteral("图像边框"), [this](Surface &canvas) {
            return outcomeOf(DrawBorder(canvas, m_document.BorderWidth, m_document.BorderColor));
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
