#pragma once

#include "core/formats.h"

#include <QBuffer>
#include <QImage>
#include <QList>

#include <initializer_list>

#include <vector>

// Pictures as the bytes of a file, for the readers' tests.

inline QByteArray bytesOf(std::initializer_list<quint32> values)
{
    QByteArray bytes;
    for (const quint32 value : values)
        bytes += static_cast<char>(value & 0xFF);
    return bytes;
}

// picture in one of the formats Kalvo writes, by its first extension.
inline QByteArray encoded(const QImage &picture, const QString &extension)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::atomic<int> rows{0};
    for (const PictureFormat &format : pictureFormats()) {
        if (format.write && format.extensions.constFirst() == extension)
            format.write(picture, buffer, rows);
    }
    return bytes;
}

// picture (at most 256 colours) as a GIF whose codes are all single pixels,
// with a clear code after every 254 of them so that codes stay 9 bits long.
inline QByteArray gifOf(const QImage &picture)
{
    QList<QRgb> palette;
    std::vector<int> codes{256};
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = picture.pixel(x, y);
            if (!palette.contains(colour))
                palette << colour;
            if (codes.size() % 255 == 0)
                codes.push_back(256);
            codes.push_back(static_cast<int>(palette.indexOf(colour)));
        }
    }
    codes.push_back(257);
    const auto le16 = [](int value) {
        return bytesOf({quint32(value), quint32(value) >> 8});
    };
    QByteArray out = "GIF89a" + le16(picture.width()) + le16(picture.height());
    out += QByteArray("\xF7\0\0", 3);
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = palette.value(i);
        out += bytesOf({quint32(qRed(colour)), quint32(qGreen(colour)), quint32(qBlue(colour))});
    }
    out += ",";
    out += le16(0) + le16(0) + le16(picture.width()) + le16(picture.height());
    out += QByteArray("\0\x08", 2);
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    for (const int code : codes) {
        bits |= quint32(code) << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8)
            data += static_cast<char>(bits & 0xFF);
    }
    if (count > 0)
        data += static_cast<char>(bits & 0xFF);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out += static_cast<char>(block.size()) + block;
    }
    return out + QByteArray("\0;", 2);
}
