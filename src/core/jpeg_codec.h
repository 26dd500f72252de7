#pragma once

#include "picture_file.h"

#include <atomic>

class QFile;
class QIODevice;

// JPEG through libjpeg-turbo, which decodes straight into the picture's rows.
//
// Qt's decoder shows a cut file with its missing rows grey and corrupt data as
// whatever the decoder made of it, without a word; here the file is refused
// instead: Truncated when it ends before its picture does, Damaged when the
// decoder finds the data corrupt. The Exif orientation is applied while the
// rows come in, so a photo taken upright opens upright.
PictureError readJpeg(QFile &file, QImage &image);

// Encodes image (RGB32; alpha is ignored) at quality 0..100 with the usual
// 2 x 2 colour sampling, one row at a time: no copy of the picture is made.
// rowsDone counts the rows written. False when the device refuses a write.
bool writeJpeg(const QImage &image, QIODevice &device, int quality, std::atomic<int> &rowsDone);
