#pragma once

#include <atomic>

class QImage;
class QIODevice;

// Writes image as a PNG of 8 bits a channel: RGB, or RGBA when the image has
// an alpha channel. Rows are filtered as the common writer does (each row
// with the filter whose output is smallest), and the picture is cut into
// bands that the calling thread and one more filter and compress at once:
// each band is a piece of one zlib stream, ended by a sync flush and primed
// with the 32 kB before it, and the checksums of the pieces are combined.
// Bands are written in order as they are done, a few at most held in memory,
// so no copy of the picture is made. rowsDone counts the rows written.
// False when the device refuses a write.
bool writePng(const QImage &image, QIODevice &device, std::atomic<int> &rowsDone);
