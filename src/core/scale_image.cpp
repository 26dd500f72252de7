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

    // The source stays whole if its new image cannot be had.
    if (!source.stretchFrom(scratch, target.size())) {
        scratch.clearPicture();
        restore();
        return false;
    }
    source.mergePicture();
    scratch.clearPicture();
    source.refresh();
    restore();
    return true;
}
