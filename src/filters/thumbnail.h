#pragma once

class Surface;

// The side of the adjustment and mask dialogs' preview, border included.
inline constexpr int ThumbnailSide = 80;

// The whole canvas squeezed into ThumbnailSide x ThumbnailSide at the origin
// of view, averaged where it shrinks; the canvas's aspect ratio is not kept.
// What falls beyond view's own size is clipped.
void ShowThumbnail(const Surface &canvas, Surface &view);
