#include "thumbnail.h"

void ShowThumbnail(const Surface &canvas, Surface &view)
{
    view.setStretchMode(Surface::StretchMode::Halftone);
    view.stretchBlt(QRect(0, 0, ThumbnailSide, ThumbnailSide), canvas, canvas.rect());
}

Thumbnail::Thumbnail(const Surface &canvas, Surface &view)
    : m_view(view), m_fresh(view.width(), view.height(), view.backColour())
{
    ShowThumbnail(canvas, m_view);
    m_fresh.bitBlt(m_fresh.rect(), m_view, QPoint(0, 0));
}

void Thumbnail::show()
{
    m_view.bitBlt(m_view.rect(), m_fresh, QPoint(0, 0));
}
