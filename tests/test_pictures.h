#pragma once

#include <QImage>

// A picture whose every pixel differs from its neighbours, so that moved,
// lost or resampled pixels show.
inline QImage numberedPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 13) % 256));
    }
    return image;
}
