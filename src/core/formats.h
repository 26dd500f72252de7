#pragma once

#include "picture_file.h"

#include <QByteArrayList>
#include <QStringList>

#include <atomic>
#include <span>

class QFile;
class QIODevice;

// The picture file formats Kalvo knows, one row each: adding a format is
// adding a row. Open recognises a file by its first bytes, never by its name;
// Save writes the format the typed name's extension names, else the type
// chosen in the dialog. Both dialogs' type lists are built from the rows.
struct PictureFormat {
    // The type's name in the file dialogs, e.g. "PNG 图像".
    QString caption;
    // Lower case, without the dot; the first is the one a saved name gets.
    QStringList extensions;
    // A file that starts with any of these bytes is of this format.
    QByteArrayList signatures;
    // Decodes file (open for reading, at its start) into image, upright:
    // Format_RGB32, or ARGB32 for a picture that may have transparency.
    PictureError (*read)(QFile &file, QImage &image);
    // Encodes image (RGB32 or ARGB32) onto device, counting the rows written
    // in rowsDone; false when it cannot. Null for a format Kalvo only reads.
    bool (*write)(const QImage &image, QIODevice &device, std::atomic<int> &rowsDone);
    // The longest side the format can store; 0 for no limit of its own.
    int longestSide = 0;
};

// Every format, the bitmap first.
std::span<const PictureFormat> pictureFormats();
const PictureFormat &bitmapFormat();

// The format whose signature the bytes start with, or null.
const PictureFormat *formatOfContent(const QByteArray &start);
// How many first bytes of a file formatOfContent needs.
qsizetype signatureLength();

// The type lists of the file dialogs, in CommonDialogs' "caption|patterns|"
// form. Open: all pictures Kalvo reads first, then each format. Save: each
// format Kalvo writes, the bitmap first.
QString openDialogTypes();
QString saveDialogTypes();
// The format that the Save dialog's type at index stands for; the bitmap for
// an index outside the list.
const PictureFormat &savedFormat(int index);

// Where and how a picture is saved for a name typed in the Save dialog.
struct SaveTarget {
    const PictureFormat *format;
    QString path;
};

// The typed name's extension decides the format when it names one Kalvo
// writes (in any case): a file called photo.png holds PNG whatever type was
// chosen. Otherwise the chosen type (index in the Save list) decides and its
// first extension is appended, except that a bitmap keeps a name without
// any extension as it was typed.
SaveTarget saveTarget(const QString &typed, int chosenType);
