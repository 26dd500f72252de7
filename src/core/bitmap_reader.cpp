#include "bitmap_reader.h"

#include "large_image.h"
#include "surface.h"

#include <QFile>
#include <QList>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <system_error>
#include <thread>

namespace {

constexpr qint64 FileHeaderSize = 14;
constexpr quint32 CompressionNone = 0;
constexpr quint32 CompressionRle8 = 1;
constexpr quint32 CompressionRle4 = 2;
constexpr quint32 CompressionBitFields = 3;
constexpr quint32 CompressionAlphaBitFields = 6;
// Rows are read in blocks of about this many bytes.
constexpr qint64 ReadBlock = 1 << 20;
// Pixel data from this size on is read on two threads.
constexpr qint64 ParallelBytes = qint64(16) << 20;

quint16 le16(const uchar *p)
{
    return static_cast<quint16>(p[0] | p[1] << 8);
}

quint32 le32(const uchar *p)
{
    return static_cast<quint32>(p[0]) | static_cast<quint32>(p[1]) << 8 |
           static_cast<quint32>(p[2]) << 16 | static_cast<quint32>(p[3]) << 24;
}

// One colour channel of a bit-field pixel, scaled to 0..255.
class Channel
{
public:
    Channel() = default;
    explicit Channel(quint32 mask)
        : m_mask(mask), m_shift(mask ? std::countr_zero(mask) : 0),
          m_bits(mask ? std::popcount(mask) : 0)
    {
    }

    // A mask must be one run of bits; an empty mask gives 0.
    bool valid() const
    {
        return m_mask == 0 || ((m_mask >> m_shift) & ((m_mask >> m_shift) + 1)) == 0;
    }

    int value(quint32 pixel) const
    {
        const quint32 v = (pixel & m_mask) >> m_shift;
        if (m_bits == 0)
            return 0;
        if (m_bits >= 8)
            return static_cast<int>(v >> (m_bits - 8));
        const quint32 max = (1u << m_bits) - 1;
        return static_cast<int>((v * 255 + max / 2) / max);
    }

private:
    quint32 m_mask = 0;
    int m_shift = 0;
    int m_bits = 0;
};

struct Header {
    qint64 pixelOffset = 0;
    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = CompressionNone;
    std::array<Channel, 3> channels; // red, green, blue
    QList<QRgb> palette;
};

// Reads exactly n bytes at the current position; false when the file ends
// first.
bool readExact(QFile &file, uchar *data, qint64 n)
{
    return file.read(reinterpret_cast<char *>(data), n) == n;
}

// The fields of the file header and the information header, with their
// consistency checked against the file's length.
PictureError readHeader(QFile &file, Header &header)
{
    const qint64 fileSize = file.size();
    std::array<uchar, 124> buffer{};
    if (!file.seek(0))
        return PictureError::CannotRead;
    if (!readExact(file, buffer.data(), FileHeaderSize + 4))
        return PictureError::Truncated;
    if (buffer[0] != 'B' || buffer[1] != 'M')
        return PictureError::NotPicture;
    header.pixelOffset = le32(buffer.data() + 10);
    const quint32 infoSize = le32(buffer.data() + 14);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 &&
        infoSize != 124)
        return PictureError::NotPicture;
    if (!file.seek(FileHeaderSize) || !readExact(file, buffer.data(), infoSize))
        return PictureError::Truncated;

    const bool core = infoSize == 12;
    if (core) {
        header.width = le16(buffer.data() + 4);
        header.height = le16(buffer.data() + 6);
        header.bitCount = le16(buffer.data() + 10);
    } else {
        header.width = static_cast<qint32>(le32(buffer.data() + 4));
        header.height = static_cast<qint32>(le32(buffer.data() + 8));
        header.bitCount = le16(buffer.data() + 14);
        header.compression = le32(buffer.data() + 16);
    }
    header.topDown = header.height < 0;
    if (header.topDown)
        header.height = -header.height;
    if (header.width <= 0 || header.height <= 0)
        return PictureError::Damaged;

    const int bits = header.bitCount;
    switch (header.compression) {
    case CompressionNone:
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
            return PictureError::Damaged;
        if (core && (bits == 16 || bits == 32))
            return PictureError::Damaged;
        break;
    case CompressionRle8:
    case CompressionRle4:
        // Compressed rows are always stored bottom-up.
        if (bits != (header.compression == CompressionRle8 ? 8 : 4) || header.topDown)
            return PictureError::Damaged;
        break;
    case CompressionBitFields:
    case CompressionAlphaBitFields:
        if (bits != 16 && bits != 32)
            return PictureError::Damaged;
        break;
    default:
        // Embedded JPEG or PNG, or something newer.
        return PictureError::NotPicture;
    }
    if (header.width > INT_MAX || header.height > INT_MAX ||
        !Surface::canHold(static_cast<int>(header.width), static_cast<int>(header.height)))
        return PictureError::TooLarge;

    qint64 tablesStart = FileHeaderSize + infoSize;
    std::array<quint32, 3> masks{};
    if (bits == 16)
        masks = {0x7C00, 0x03E0, 0x001F};
    else if (bits == 32)
        masks = {0xFF0000, 0x00FF00, 0x0000FF};
    if (header.compression == CompressionBitFields ||
        header.compression == CompressionAlphaBitFields) {
        if (infoSize == 40) {
            // The masks follow the 40-byte header; the alpha mask is skipped.
            const qint64 count = header.compression == CompressionAlphaBitFields ? 4 : 3;
            if (!readExact(file, buffer.data() + 40, count * 4))
                return PictureError::Truncated;
            tablesStart += count * 4;
        }
        masks = {le32(buffer.data() + 40), le32(buffer.data() + 44), le32(buffer.data() + 48)};
    }
    for (int i = 0; i < 3; ++i) {
        header.channels[i] = Channel(masks[i]);
        if (!header.channels[i].valid())
            return PictureError::Damaged;
    }
    if ((bits == 16 || bits == 32) && masks[0] == 0 && masks[1] == 0 && masks[2] == 0)
        return PictureError::Damaged;

    if (header.pixelOffset < tablesStart)
        return PictureError::Damaged;
    if (header.pixelOffset > fileSize)
        return PictureError::Truncated;

    if (bits <= 8) {
        const qint64 entrySize = core ? 3 : 4;
        const qint64 coloursUsed = core ? 0 : le32(buffer.data() + 32);
        const qint64 full = qint64(1) << bits;
        qint64 count = coloursUsed == 0 || coloursUsed > full ? full : coloursUsed;
        // Writers often shorten the palette without saying so: what lies
        // between the headers and the pixels is the palette.
        count = std::min(count, (header.pixelOffset - tablesStart) / entrySize);
        if (count == 0)
            return PictureError::Damaged;
        std::array<uchar, 256 * 4> table{};
        if (!file.seek(tablesStart) || !readExact(file, table.data(), count * entrySize))
            return PictureError::Truncated;
        header.palette.reserve(count);
        for (qint64 i = 0; i < count; ++i) {
            const uchar *entry = table.data() + i * entrySize;
            header.palette.append(qRgb(entry[2], entry[1], entry[0]));
        }
    }
    return PictureError::None;
}

void convert24Plain(const uchar *in, QRgb *out, int width)
{
    for (int x = 0; x < width; ++x, in += 3)
        out[x] = qRgb(in[2], in[1], in[0]);
}

#if defined(__x86_64__)
// Four pixels a step, by one byte shuffle: reading a picture of hundreds of
// megabytes is otherwise bound by this loop.
__attribute__((target("ssse3"))) void convert24Shuffle(const uchar *in, QRgb *out, int width)
{
    const __m128i order = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int x = 0;
    // Each load reads 16 bytes of which 12 are used: stop 2 pixels early.
    for (; x + 6 <= width; x += 4, in += 12) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x),
                         _mm_or_si128(_mm_shuffle_epi8(bytes, order), opaque));
    }
    convert24Plain(in, out + x, width - x);
}
#endif

void convert24(const uchar *in, QRgb *out, int width)
{
#if defined(__x86_64__)
    static const bool shuffle = __builtin_cpu_supports("ssse3");
    if (shuffle)
        return convert24Shuffle(in, out, width);
#endif
    convert24Plain(in, out, width);
}

// Converts one stored row into an image row.
bool convertRow(const Header &header, const uchar *in, QRgb *out)
{
    const int width = static_cast<int>(header.width);
    const qsizetype colours = header.palette.size();
    switch (header.bitCount) {
    case 1:
    case 4:
    case 8: {
        const int bits = header.bitCount;
        const int perByte = 8 / bits;
        const int mask = (1 << bits) - 1;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            const int index = (in[x / perByte] >> shift) & mask;
            if (index >= colours)
                return false;
            out[x] = header.palette[index];
        }
        return true;
    }
    case 16:
        for (int x = 0; x < width; ++x) {
            const quint32 pixel = le16(in + 2 * x);
            out[x] = qRgb(header.channels[0].value(pixel), header.channels[1].value(pixel),
                          header.channels[2].value(pixel));
        }
        return true;
    case 24:
        convert24(in, out, width);
        return true;
    default:
        if (header.compression == CompressionNone) {
            for (int x = 0; x < width; ++x, in += 4)
                out[x] = qRgb(in[2], in[1], in[0]);
        } else {
            for (int x = 0; x < width; ++x) {
                const quint32 pixel = le32(in + 4 * x);
                out[x] = qRgb(header.channels[0].value(pixel), header.channels[1].value(pixel),
                              header.channels[2].value(pixel));
            }
        }
        return true;
    }
}

// The stored rows [first, end), read from file in blocks.
PictureError readRowRange(QFile &file, const Header &header, uchar *bits, qsizetype stride,
                          qint64 first, qint64 end)
{
    const qint64 rowBytes = (header.width * header.bitCount + 31) / 32 * 4;
    const qint64 height = header.height;
    if (!file.seek(header.pixelOffset + first * rowBytes))
        return PictureError::CannotRead;
    const qint64 rowsPerBlock = std::clamp<qint64>(ReadBlock / rowBytes, 1, end - first);
    QByteArray block(rowsPerBlock * rowBytes, Qt::Uninitialized);
    auto *data = reinterpret_cast<uchar *>(block.data());
    for (qint64 at = first; at < end; at += rowsPerBlock) {
        const qint64 rows = std::min(rowsPerBlock, end - at);
        if (!readExact(file, data, rows * rowBytes))
            return PictureError::Truncated;
        for (qint64 r = 0; r < rows; ++r) {
            const qint64 stored = at + r;
            const int y = static_cast<int>(header.topDown ? stored : height - 1 - stored);
            if (!convertRow(header, data + r * rowBytes,
                            reinterpret_cast<QRgb *>(bits + y * stride)))
                return PictureError::Damaged;
        }
    }
    return PictureError::None;
}

PictureError readRows(QFile &file, const Header &header, QImage &image)
{
    const qint64 rowBytes = (header.width * header.bitCount + 31) / 32 * 4;
    const qint64 height = header.height;
    if (header.pixelOffset + rowBytes * height > file.size())
        return PictureError::Truncated;
    // On a big picture the kernel's clearing of the image's new pages costs
    // as much as the decoding: a second thread with a handle of its own reads
    // the second half of the rows, clearing its pages as it goes.
    const qint64 half = height / 2;
    std::optional<QFile> second;
    if (rowBytes * height >= ParallelBytes && !file.fileName().isEmpty()) {
        second.emplace(file.fileName());
        if (!second->open(QIODevice::ReadOnly) || second->size() != file.size())
            second.reset();
    }
    // Rows as plain pointers: QImage's own calls are not for two threads.
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    if (!second)
        return readRowRange(file, header, bits, stride, 0, height);
    PictureError secondError = PictureError::None;
    std::optional<std::thread> helper;
    try {
        helper.emplace(
            [&] { secondError = readRowRange(*second, header, bits, stride, half, height); });
    } catch (const std::system_error &) {
        return readRowRange(file, header, bits, stride, 0, height);
    }
    const PictureError firstError = readRowRange(file, header, bits, stride, 0, half);
    helper->join();
    return firstError != PictureError::None ? firstError : secondError;
}

// Buffered byte reader over the rest of the file, for the RLE stream.
class ByteStream
{
public:
    explicit ByteStream(QFile &file) : m_file(file), m_buffer(64 * 1024, Qt::Uninitialized) {}

    bool next(uchar &byte)
    {
        if (m_pos == m_size) {
            m_size = m_file.read(m_buffer.data(), m_buffer.size());
            m_pos = 0;
            if (m_size <= 0) {
                m_size = 0;
                return false;
            }
        }
        byte = static_cast<uchar>(m_buffer[m_pos++]);
        return true;
    }

private:
    QFile &m_file;
    QByteArray m_buffer;
    qint64 m_pos = 0;
    qint64 m_size = 0;
};

// Run-length decoding. Pixels that a delta or an early end of line skips keep
// palette entry 0, which the image starts filled with. A run or jump that
// leaves the picture makes the file damaged; a stream that stops before its
// end-of-bitmap mark and before the last pixel makes it truncated.
PictureError readRunLength(QFile &file, const Header &header, QImage &image)
{
    if (!file.seek(header.pixelOffset))
        return PictureError::CannotRead;
    image.fill(header.palette[0]);
    const bool four = header.compression == CompressionRle4;
    const qint64 width = header.width;
    const qint64 height = header.height;
    const qsizetype colours = header.palette.size();
    ByteStream stream(file);
    qint64 x = 0;
    qint64 y = 0; // counted from the bottom row
    auto put = [&](int index) {
        if (index >= colours)
            return false;
        reinterpret_cast<QRgb *>(image.scanLine(static_cast<int>(height - 1 - y)))[x++] =
            header.palette[index];
        return true;
    };
    auto fits = [&](qint64 count) {
        return y < height && x + count <= width;
    };

    for (;;) {
        uchar count = 0;
        uchar value = 0;
        if (!stream.next(count) || !stream.next(value)) {
            const bool complete = y >= height || (y == height - 1 && x == width);
            return complete ? PictureError::None : PictureError::Truncated;
        }
        if (count > 0) {
            if (!fits(count))
                return PictureError::Damaged;
            for (int i = 0; i < count; ++i) {
                const int index = four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
                if (!put(index))
                    return PictureError::Damaged;
            }
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            return PictureError::None;
        } else if (value == 2) { // delta
            uchar dx = 0;
            uchar dy = 0;
            if (!stream.next(dx) || !stream.next(dy))
                return PictureError::Truncated;
            x += dx;
            y += dy;
            if (x > width || y >= height)
                return PictureError::Damaged;
        } else { // absolute run of value pixels, padded to a 16-bit boundary
            if (!fits(value))
                return PictureError::Damaged;
            const int bytes = four ? (value + 1) / 2 : value;
            uchar byte = 0;
            for (int i = 0; i < bytes; ++i) {
                if (!stream.next(byte))
                    return PictureError::Truncated;
                if (four) {
                    if (!put(byte >> 4) || (2 * i + 1 < value && !put(byte & 0x0F)))
                        return PictureError::Damaged;
                } else if (!put(byte)) {
                    return PictureError::Damaged;
                }
            }
            if (bytes % 2 != 0 && !stream.next(byte))
                return PictureError::Truncated;
        }
    }
}

} // namespace

PictureError readBitmap(QFile &file, QImage &image)
{
    Header header;
    if (const PictureError error = readHeader(file, header); error != PictureError::None)
        return error;
    QImage decoded = newLargeImage(static_cast<int>(header.width), static_cast<int>(header.height));
    if (decoded.isNull())
        return PictureError::TooLarge;
    const bool runLength =
        header.compression == CompressionRle8 || header.compression == CompressionRle4;
    const PictureError error =
        runLength ? readRunLength(file, header, decoded) : readRows(file, header, decoded);
    if (error == PictureError::None)
        image = std::move(decoded);
    return error;
}
