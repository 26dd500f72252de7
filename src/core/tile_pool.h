#pragma once

#include <QImage>
#include <QRect>

// A copy of area of image (32-bit) in pooled memory of at most 64 KiB, for
// the many small tiles of the undo store. The pool hands out pieces of large
// blocks made for big pictures and takes them back when the last image made
// on a piece goes, so that copying thousands of tiles neither faults in fresh
// pages one by one nor hands memory back to the system between two strokes.
// A null image when area is too large or the memory cannot be had.
QImage pooledCopy(const QImage &image, const QRect &area);
// A tile of that size in pooled memory, its pixels not set.
QImage pooledTile(QSize size, QImage::Format format);

// Whether pieces more tiles can be had: those the pool has free, and room on
// the machine for the blocks that the rest would take (memory_room.h).
bool tilePoolHasRoom(std::size_t pieces);

// For tests of running short of memory: at most pieces tiles in use at once
// from now on (0: no limit of the pool's own).
void setTilePoolLimit(std::size_t pieces);
