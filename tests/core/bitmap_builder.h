#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

#include <vector>

// Builds Windows bitmap files byte by byte for the reader's tests, so that
// every field can be set (or broken) on purpose.
namespace bitmap_builder {

inline QByteArray le16(quint32 v)
{
    QByteArray out(2, '\0');
    out[0] = static_cast<char>(v & 0xFF);
    out[1] = static_cast<char>((v >> 8) & 0xFF);
    return out;
}

inline QByteArray le32(quint32 v)
{
    return le16(v & 0xFFFF) + le16(v >> 16);
}

struct Info {
    Info(int headerSize_, qint32 width_, qint32 height_, int bitCount_, quint32 compression_ = 0,
         quint32 coloursUsed_ = 0, std::vector<quint32> masks_ = {}, QList<QRgb> palette_ = {})
        : headerSize(headerSize_), width(width_), height(height_), bitCount(bitCount_),
          compression(compression_), coloursUsed(coloursUsed_), masks(std::move(masks_)),
          palette(std::move(palette_))
    {
    }

    int headerSize; // 12, 40, 108, 124
    qint32 width;
    qint32 height; // negative: top-down
    int bitCount;
    quint32 compression;
    quint32 coloursUsed;
    // Bit-field masks: inside the header for 108/124, after it for 40.
    std::vector<quint32> masks;
    QList<QRgb> palette;
};

inline QByteArray file(const Info &info, const QByteArray &pixels)
{
    QByteArray header;
    if (info.headerSize == 12) {
        header = le32(12) + le16(static_cast<quint32>(info.width)) +
                 le16(static_cast<quint32>(info.height)) + le16(1) +
                 le16(static_cast<quint32>(info.bitCount));
    } else {
        header = le32(static_cast<quint32>(info.headerSize)) +
                 le32(static_cast<quint32>(info.width)) + le32(static_cast<quint32>(info.height)) +
                 le16(1) + le16(static_cast<quint32>(info.bitCount)) + le32(info.compression) +
                 le32(static_cast<quint32>(pixels.size())) + le32(2835) + le32(2835) +
                 le32(info.coloursUsed) + le32(0);
        QByteArray extra;
        for (quint32 mask : info.masks)
            extra += le32(mask);
        if (info.headerSize > 40)
            header += extra.leftJustified(info.headerSize - 40, '\0', true);
        else
            header += extra;
    }
    QByteArray palette;
    for (QRgb c : info.palette) {
        palette += static_cast<char>(qBlue(c));
        palette += static_cast<char>(qGreen(c));
        palette += static_cast<char>(qRed(c));
        if (info.headerSize != 12)
            palette += '\0';
    }
    const quint32 offset = static_cast<quint32>(14 + header.size() + palette.size());
    const quint32 total = static_cast<quint32>(offset + pixels.size());
    return QByteArray("BM") + le32(total) + le32(0) + le32(offset) + header + palette + pixels;
}

// Rows of palette indices (top row first) packed bottom-up (or top-down) with
// the 4-byte padding.
inline QByteArray packedRows(const std::vector<std::vector<int>> &rows, int bitCount,
                             bool topDown = false)
{
    QByteArray out;
    const int width = static_cast<int>(rows.front().size());
    const int rowBytes = (width * bitCount + 31) / 32 * 4;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto &row = rows[topDown ? i : rows.size() - 1 - i];
        QByteArray packed(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const int bit = x * bitCount;
            const int shift = 8 - bitCount - bit % 8;
            packed[bit / 8] = static_cast<char>(packed[bit / 8] | (row[x] << shift));
        }
        out += packed;
    }
    return out;
}

// Rows of colours (top row first) as bottom-up rows of 3 or 4 bytes a pixel.
inline QByteArray colourRows(const std::vector<std::vector<QRgb>> &rows, int bytesPerPixel,
                             bool topDown = false)
{
    QByteArray out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto &row = rows[topDown ? i : rows.size() - 1 - i];
        QByteArray packed;
        for (QRgb c : row) {
            packed += static_cast<char>(qBlue(c));
            packed += static_cast<char>(qGreen(c));
            packed += static_cast<char>(qRed(c));
            if (bytesPerPixel == 4)
                packed += '\x7F';
        }
        while (packed.size() % 4 != 0)
            packed += '\0';
        out += packed;
    }
    return out;
}

inline QImage imageOf(const std::vector<std::vector<QRgb>> &rows)
{
    QImage image(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rows[y][x]);
    return image;
}

inline QImage indexedImage(const std::vector<std::vector<int>> &rows, const QList<QRgb> &palette)
{
    std::vector<std::vector<QRgb>> colours;
    for (const auto &row : rows) {
        colours.emplace_back();
        for (int index : row)
            colours.back().push_back(palette[index]);
    }
    return imageOf(colours);
}

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

} // namespace bitmap_builder
