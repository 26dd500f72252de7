#pragma once

#include <QImage>

enum class ResampleFilter {
    // Each output pixel takes the source pixel under its centre.
    Nearest,
    // Shrinking averages the source area under each output pixel, rounded;
    // enlarging blends the two nearest source pixels linearly.
    Smooth,
};

// source resampled to size, mirrored left-right and top-bottom as asked. The
// result is Format_RGB32; source should be too.
QImage resample(const QImage &source, QSize size, bool mirrorX, bool mirrorY,
                ResampleFilter filter);
