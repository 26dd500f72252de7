#pragma once

#include <QImage>

// A new, uninitialised 32-bit image. Pictures of many megabytes get memory of
// their own that the kernel may back with huge pages: touching 192 MB in 4 kB
// pages costs about a second of page faults on a virtual machine, in huge
// pages a few tens of milliseconds. Smaller images are plain QImages. Null when
// the memory cannot be had.
QImage newLargeImage(int width, int height, QImage::Format format = QImage::Format_RGB32);
