#include "frmmain.h"

#include "controls/picture_box.h"
#include "tools/frmtext.h"

QRect frmmain::cloneMarker() const
{
    return SrcDc->marker();
}

void frmmain::setCloneMarker(const QRect &marker)
{
    SrcDc->setMarker(marker);
}

void frmmain::cboCloneSize_Click(int side)
{
    const QRect marker = SrcDc->marker();
    if (!marker.isNull())
        SrcDc->setMarker(QRect(marker.topLeft(), QSize(side, side)));
}

bool frmmain::askText(TextSettings &settings)
{
    {
        frmText dialog(m_document, settings, this);
        dialog.exec();
    }
    const bool confirmed = m_document.DialogResult == Document::DialogConfirmed;
    m_document.DialogResult = Document::DialogCancelled;
    return confirmed;
}
