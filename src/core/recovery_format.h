#pragma once

#include "colour.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

// The recovery copy on disk: a log of frames, each the tiles of the picture
// that changed since the frame before, compressed one by one. A full frame
// holds every tile and starts the picture again (a new size, or a log grown
// as large as the picture, written to a new file). A frame counts once its
// end mark is written, so a copy cut off while a frame was being appended
// reads as of the frame before; a compressed tile carries its own checksum.
//
// All numbers are 32-bit little-endian.
//   file:  "KALVOCPY", version, check
//   frame: FrameMark, flags (1: full), width, height, background colour,
//          tile count, sequence number, check
//   tile:  index, stored bytes, pixel bytes, check; then the stored bytes
//   end:   EndMark, check
// Tiles are TileSize pixels square (smaller at the right and bottom edges),
// numbered row by row; their pixels are the picture's 32-bit pixels, rows
// one after another.
namespace recovery {

inline constexpr int TileSize = 128;
inline constexpr std::uint32_t Version = 1;
inline constexpr std::uint32_t FrameMark = 0x4D415246; // "FRAM"
inline constexpr std::uint32_t EndMark = 0x454E4F44;   // "DONE"

// The grid of tiles of a picture.
struct TileGrid {
    QSize size;

    int columns() const { return (size.width() + TileSize - 1) / TileSize; }
    int rows() const { return (size.height() + TileSize - 1) / TileSize; }
    int count() const { return columns() * rows(); }
    QRect tileRect(int index) const;
};

// A check of a few header words, so that a damaged header is not believed.
std::uint32_t check(const std::uint32_t *words, std::size_t count);

// The header bytes of each part, as the writer puts them in the file.
std::vector<char> fileHeader();
struct FrameHeader {
    bool full = false;
    QSize size;
    Colour background = 0;
    std::uint32_t tiles = 0;
    std::uint32_t sequence = 0;
};
std::vector<char> frameHeader(const FrameHeader &frame);
std::vector<char> tileHeader(std::uint32_t index, std::uint32_t storedBytes,
                             std::uint32_t pixelBytes, std::uint32_t sequence);
std::vector<char> frameEnd(const FrameHeader &frame);

struct RecoveredPicture {
    enum class Outcome { Read, Damaged, NoMemory };
    Outcome outcome = Outcome::Damaged;
    QImage image; // Format_RGB32
    Colour background = 0;
};

// Whether the file at path reads as a copy with a complete frame (headers
// only: the pixels' checksums are checked when they are read).
bool isWholeCopy(const QString &path);

// The picture of the copy at path: its pixels as of its last complete frame.
// Damaged when the file is not a regular file, is not a copy, has no complete
// frame, or a tile fails its checksum.
RecoveredPicture readCopy(const QString &path);

} // namespace recovery
