#pragma once

#include <QImage>

#include <functional>

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

// The rows of source resampled to size, handed to take one at a time, not
// mirrored, so that a big stretch is never held whole: take(y, row) gets
// output row y, size.width() pixels, valid during the call. On two threads
// when asked (take must then only write what belongs to row y), in any order.
// The memory for the work is had before the first row: false, with no row
// handed out, when it cannot be.
bool resampleRows(const QImage &source, QSize size, ResampleFilter filter, bool twoThreads,
                  const std::function<void(int y, const QRgb *row)> &take);
