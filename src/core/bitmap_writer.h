#pragma once

#include <atomic>

class QImage;
class QIODevice;

// Writes image (RGB32 or ARGB32, alpha ignored) onto device as an
// uncompressed 24-bit Windows bitmap, bottom row first, one row at a time,
// counting the rows written in rowsDone. False when the device refuses a
// write or the picture is too big for the format's 32-bit file size.
bool writeBitmap(const QImage &image, QIODevice &device, std::atomic<int> &rowsDone);
