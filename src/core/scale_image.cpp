#include "scale_image.h"

#include "surface.h"

bool ScaleImage(Surface &source, Surface &scratch, int newWidth, int newHeight)
{
    if (!Surface::canHold(newWidth, newHeight))
        return false;
    const QRect target(0, 0, newWidth, newHeight);
    // The copies must land in the persistent images.
    const bool sourceRedraw = source.autoRedraw();
    const bool scratchRedraw = scratch.autoRedraw();
    source.setAutoRedraw(true);
    scratch.setAutoRedraw(true);
    auto restore = [&] {
        source.setAutoRedraw(sourceRedraw);
        scratch.setAutoRedraw(scratchRedraw);
    };

    scratch.clearPicture();
    scratch.setStretchMode(Surface::StretchMode::Halftone);
    if (!scratch.stretchFrom(source, target.size())) {
        restore();
        return false;
    }

    // Resizing first keeps the source whole if the new image cannot be had.
    if (!source.setSize(newWidth, newHeight)) {
        scratch.clearPicture();
        restore();
        return false;
    }
    source.clearPicture();
    source.bitBlt(target, scratch, QPoint(0, 0));
    scratch.clearPicture();
    source.refresh();
    restore();
    return true;
}
