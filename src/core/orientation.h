#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Cameras store a photo as the sensor saw it and note in its Exif data how
// it must be turned or mirrored to stand upright: the orientation, 1 (as
// stored) to 8. Where row 0 and column 0 of the stored picture belong:
// 1 top/left, 2 top/right, 3 bottom/right, 4 bottom/left, 5 left/top,
// 6 right/top (turned a quarter clockwise), 7 right/bottom, 8 left/bottom.

// The orientation recorded in an Exif block: a TIFF structure ("II*\0" or
// "MM\0*" and its first directory), optionally after the "Exif\0\0" that
// JPEG puts before it. 1 when the block has none or cannot be read.
int exifOrientation(const QByteArray &exif);

// The size of a picture stored at size once upright.
QSize uprightSize(QSize stored, int orientation);

// Puts rows [first, first + count) of a picture stored at size (32-bit
// pixels, rowStride bytes apart, rows[0] being row first) where they belong in
// upright, a 32-bit image of uprightSize(size, orientation).
void placeRows(const uchar *rows, qsizetype rowStride, int first, int count, QSize size,
               int orientation, QImage &upright);

// The picture upright: image itself for orientation 1, else a new image (null
// when the memory for it cannot be had).
QImage uprightImage(const QImage &image, int orientation);
