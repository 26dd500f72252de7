#pragma once

#include "core/surface.h"

// The side of the adjustment and mask dialogs' preview, border included.
inline constexpr int ThumbnailSide = 80;

// The whole canvas squeezed into ThumbnailSide x ThumbnailSide at the origin
// of view, averaged where it shrinks; the canvas's aspect ratio is not kept.
// What falls beyond view's own size is clipped.
void ShowThumbnail(const Surface &canvas, Surface &view);

// A dialog's preview that starts again from a fresh thumbnail at every change.
// The canvas cannot change while the dialog is open, so the thumbnail is
// resampled once and put back from a copy: the same pixels, without
// averaging a big canvas again at every move of a bar.
class Thumbnail
{
public:
    // Shows the thumbnail of canvas in view and keeps a copy of it.
    Thumbnail(const Surface &canvas, Surface &view);

    // view shows the fresh thumbnail again.
    void show();

private:
    Surface &m_view;
    Surface m_fresh;
};
