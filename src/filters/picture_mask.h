#pragma once

#include "core/colour.h"
#include "core/picture_file.h"
#include "core/surface.h"

class CommonDialogs;
class QWidget;

// Magenta: where a mask picture lets the picture beneath show through.
inline constexpr Colour MaskKey = 0x00FF00FF;

// Loads the picture file at path into holder, which takes its size; holder
// should have MaskKey as its background, which then shows through the
// picture's transparent parts. An empty path empties the holder, a mask that
// covers nothing. On an error the holder stays as it was.
PictureError LoadMask(Surface &holder, const QString &path);

// Lays the picture of mask over the whole of target: mask is stretched to
// target's size, resampled in mode; every stretched pixel that is not exactly
// MaskKey replaces the target pixel in its place; target is refreshed. Then
// mask is emptied. False, with target as it was, when the memory for the
// work cannot be had.
bool LayMask(Surface &target, Surface &mask, Surface::StretchMode mode);

// The surfaces the picture mask command works with: the canvas and the
// holder of the loaded mask.
struct MaskSurfaces {
    Surface &canvas;
    Surface &holder;
};

// The picture mask command: the picture file at path, stretched to the canvas
// with averaging, laid over it. When the file cannot be read, or the memory
// for the work cannot be had, the user is told why (under owner) and the
// canvas stays as it was.
void ApplyMask(const MaskSurfaces &surfaces, const QString &path, CommonDialogs &dialogs,
               QWidget *owner);
