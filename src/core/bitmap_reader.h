#pragma once

#include "picture_file.h"

class QFile;

// Decodes the Windows bitmap in file (opened for reading, positioned
// anywhere) into image. Every claim of the header is checked against the
// file's length and Surface::canHold before the image is allocated; rows are
// read and converted one block at a time, so the peak memory is the image plus
// a small buffer.
PictureError readBitmap(QFile &file, QImage &image);
