#pragma once

#include <QImage>
#include <QString>

// Reading picture files into the program and writing the picture back, in
// the formats of the table in formats.h.
//
// Windows bitmaps are decoded here rather than by Qt, whose reader accepts cut
// files, skipped RLE pixels and pixel offsets past the end by filling the gaps
// with whatever memory held. Everything a bitmap header claims is checked
// against the file before anything is allocated, so a hostile header cannot
// make the program reserve gigabytes. PNG, JPEG and GIF, recognised by their
// content (not by the name), go through Qt with a size check first; a cut
// JPEG comes out with its missing part grey, as Qt's decoder fills it.
//
// A bitmap's alpha channel is ignored: Kalvo edits opaque pictures. Pixel
// indices beyond a shortened palette are an error, not colour 0: such a file
// is damaged and showing it would show a guess.

enum class PictureError {
    None,
    // Opening.
    CannotRead, // missing, a folder, no permission
    Truncated,  // the file ends before its pixels do
    NotPicture, // no format that Kalvo reads
    Damaged,    // inconsistent header or pixel data
    TooLarge,   // more pixels than this machine can hold
    // Saving.
    CannotWrite,
    NoFolder,
    NoPermission,
    DiskFull,
};

struct LoadedPicture {
    // Format_RGB32 for opaque pictures, ARGB32 for PNG or GIF with
    // transparency; null when error is not None.
    QImage image;
    PictureError error = PictureError::None;
};

struct PictureFormat;

// Reads the picture from the file at path in the format its content shows.
LoadedPicture loadPicture(const QString &path);

// Writes image in format under exactly path, whatever its extension,
// replacing an existing file. The picture is written to a temporary file
// beside it first, so a failed save leaves the old file as it was. None on
// success.
PictureError savePicture(const QImage &image, const QString &path, const PictureFormat &format);
// The same as an uncompressed 24-bit Windows bitmap.
PictureError savePicture(const QImage &image, const QString &path);
