#pragma once

#include "picture_file.h"

class QFile;

// What the outer structure of a file shows before its pixels are decoded:
// whether the file is whole, and how its picture is meant to stand (the Exif
// orientation, 1 to 8, or 1).
//
// Qt's decoders take some cut files as whole (a GIF cut anywhere comes out
// with its missing rows filled in), and none of them reports which of its
// refusals are cut files. These walks read the blocks' headers (and a GIF's
// codes), never the pixels, and leave the file at its start.
struct FileFacts {
    PictureError error = PictureError::None;
    int orientation = 1;
};

// PNG: the chunks up to IEND, and the orientation of an eXIf chunk.
FileFacts walkPng(QFile &file);
// WebP: the RIFF chunks, and the orientation of an EXIF chunk; another
// kind of RIFF file (a sound, a film) is no picture.
FileFacts walkWebp(QFile &file);
// GIF: the blocks up to the end of the first picture, whose codes must make
// exactly its pixels.
FileFacts walkGif(QFile &file);
