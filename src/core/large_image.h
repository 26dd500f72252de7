#pragma once

#include <QImage>

// A new, uninitialised 32-bit image. Pictures of many megabytes get memory of
// their own, mapped from the system, so that freeing them gives it back at
// once. They are not advised into huge pages: when the kernel has none free it
// compacts memory first, and on a virtual machine that held up the first
// touch of 768 MB for up to two seconds, against half a second in plain pages.
// Smaller images are plain QImages. Null when the memory cannot be had, or
// the machine has no room for it now (memory_room.h).
QImage newLargeImage(int width, int height, QImage::Format format = QImage::Format_RGB32);

// A copy of image in memory of its own, as newLargeImage makes it, written on
// two threads, which share the first touches of a big copy's memory. Null
// when the memory cannot be had.
QImage copiedLargeImage(const QImage &image);
