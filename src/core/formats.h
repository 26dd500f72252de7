#pragma once

#include "picture_file.h"

#include <QByteArrayList>
#include <QStringList>

#include <span>

class QFile;
class QIODevice;

// The picture file formats Kalvo knows, one row each: adding a format is
// adding a row. Open recognises a file by its first bytes, never by its name;
// Save writes the format of the type the user chose in the dialog. Both
// dialogs' type lists are built from the rows.
struct PictureFormat {
    // The type's name in the file dialogs, e.g. "PNG 图像".
    QString caption;
    // Lower case, without the dot; the first is the one a saved name gets.
    QStringList extensions;
    // A file that starts with any of these bytes is of this format.
    QByteArrayList signatures;
    // Decodes file (open for reading) into image: Format_RGB32, or ARGB32
    // for a picture with transparency.
    PictureError (*read)(QFile &file, QImage &image);
    // Encodes image (RGB32 or ARGB32) onto device; false when it cannot.
    // Null for a format Kalvo only reads.
    bool (*write)(const QImage &image, QIODevice &device);
    // Whether a saved name without one of the extensions gets the first one
    // appended. The bitmap keeps any name the user typed, as it always has.
    bool appendsExtension;
};

// Every format, the bitmap first.
std::span<const PictureFormat> pictureFormats();
const PictureFormat &bitmapFormat();

// The format whose signature the bytes start with, or null.
const PictureFormat *formatOfContent(const QByteArray &start);
// How many first bytes of a file formatOfContent needs.
qsizetype signatureLength();

// The type lists of the file dialogs, in CommonDialogs' "caption|patterns|"
// form. Open: the bitmap, then every picture Kalvo reads. Save: each format
// Kalvo writes, the bitmap first.
QString openDialogTypes();
QString saveDialogTypes();
// The format that the Save dialog's type at index stands for; the bitmap for
// an index outside the list.
const PictureFormat &savedFormat(int index);

// The path a picture chosen to be saved under path in format is written to:
// with the format's first extension appended when the name has none of its
// extensions (in any case) and the format asks for it.
QString savedPath(const PictureFormat &format, const QString &path);
