#pragma once

#include <QImage>
#include <QString>

#include <atomic>

// Reading picture files into the program and writing the picture back, in
// the formats of the table in formats.h.
//
// Only regular files are read: a named pipe would hold the reader until
// something writes to it, a device may never end. Windows bitmaps are decoded
// here rather than by Qt, whose reader accepts cut files, skipped RLE pixels
// and pixel offsets past the end by filling the gaps with whatever memory
// held. Everything a bitmap header claims is checked against the file before
// anything is allocated, so a hostile header cannot make the program reserve
// gigabytes. The other formats, recognised by their content (not by the
// name), have their size checked before they are decoded, and a file that
// ends early or that its decoder finds corrupt is refused, never shown with
// its gaps filled in.
//
// A bitmap's alpha channel is ignored: Kalvo edits opaque pictures. Pixel
// indices beyond a shortened palette are an error, not colour 0: such a file
// is damaged and showing it would show a guess.

enum class PictureError {
    None,
    // Opening.
    CannotRead, // missing, no permission
    NotFile,    // a folder, a pipe, a device: nothing to read a picture from
    Truncated,  // the file ends before its pixels do
    NotPicture, // no format that Kalvo reads
    Damaged,    // inconsistent header or pixel data
    TooLarge,   // more pixels than this machine can hold
    // Saving.
    CannotWrite,
    NoFolder,
    TargetNotFile, // a folder, a pipe or a device where the file would go
    NoPermission,
    ReadOnly, // the file in the way is marked read-only
    DiskFull,
    TooLargeForFormat, // a side longer than the format can store
};

struct LoadedPicture {
    // Format_RGB32, or ARGB32 for a picture with transparent pixels; null
    // when error is not None.
    QImage image;
    PictureError error = PictureError::None;
    // Some pixels are not fully opaque.
    bool transparent = false;
};

struct PictureFormat;

// Reads the picture from the regular file at path in the format its content
// shows, upright.
LoadedPicture loadPicture(const QString &path);

// Writes image in format under exactly path, whatever its extension,
// replacing an existing regular file. The picture is written to a temporary
// file beside it first, so a failed save leaves the old file as it was. None
// on success. May run on any thread; rowsDone, when given, counts the rows
// written so far.
PictureError savePicture(const QImage &image, const QString &path, const PictureFormat &format,
                         std::atomic<int> *rowsDone = nullptr);
// The same as an uncompressed 24-bit Windows bitmap.
PictureError savePicture(const QImage &image, const QString &path);
