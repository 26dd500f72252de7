#include "thumbnail.h"

#include "core/surface.h"

void ShowThumbnail(const Surface &canvas, Surface &view)
{
    view.setStretchMode(Surface::StretchMode::Halftone);
    view.stretchBlt(QRect(0, 0, ThumbnailSide, ThumbnailSide), canvas, canvas.rect());
}
