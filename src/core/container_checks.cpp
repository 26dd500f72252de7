#include "container_checks.h"

#include "orientation.h"
#include "surface.h"

#include <QFile>

#include <unistd.h>

#include <array>
#include <vector>

namespace {

// Reads at any offset through the file's own handle: the walks neither move
// the file nor fill its buffer, which the decoder reads after them.
class FileBytes
{
public:
    explicit FileBytes(const QFile &file) : m_handle(file.handle()), m_size(file.size()) {}

    qint64 size() const { return m_size; }

    // Up to count bytes from at; fewer at the end of the file.
    QByteArray read(qint64 at, qint64 count) const
    {
        QByteArray bytes(count, Qt::Uninitialized);
        const ssize_t got = count > 0 ? pread(m_handle, bytes.data(), static_cast<size_t>(count),
                                              static_cast<off_t>(at))
                                      : 0;
        bytes.truncate(got > 0 ? got : 0);
        return bytes;
    }

    // The byte at at, or -1 past the end, read a block at a time.
    int byte(qint64 at)
    {
        if (at < m_blockStart || at >= m_blockStart + m_block.size()) {
            m_blockStart = at;
            m_block = read(at, BlockBytes);
            if (m_block.isEmpty())
                return -1;
        }
        return static_cast<uchar>(m_block.at(at - m_blockStart));
    }

private:
    static constexpr qint64 BlockBytes = 64 * 1024;
    int m_handle;
    qint64 m_size;
    qint64 m_blockStart = 0;
    QByteArray m_block;
};

quint32 bigEndian32(const QByteArray &bytes, qsizetype at)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData()) + at;
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
}

quint32 littleEndian(const QByteArray &bytes, qsizetype at, int length)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData()) + at;
    quint32 value = 0;
    for (int i = length - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

// An Exif block is a few kilobytes; a bigger one is not read for the
// orientation alone.
constexpr qint64 LargestExif = 1 << 20;

// Checks the codes of a GIF picture's LZW stream without keeping its pixels.
class LzwCodes
{
public:
    LzwCodes(int minimumSize, qint64 pixels)
        : m_clear(1 << minimumSize), m_minimumSize(minimumSize), m_expected(pixels)
    {
        m_lengths.fill(1);
        restart();
    }

    // False at a code that cannot be.
    bool feed(uchar byte)
    {
        // Bytes after the end code are left over, as decoders leave them.
        if (m_ended)
            return true;
        m_bits |= quint32(byte) << m_bitCount;
        m_bitCount += 8;
        while (!m_ended && m_bitCount >= m_codeSize) {
            const int code = static_cast<int>(m_bits & ((1u << m_codeSize) - 1));
            m_bits >>= m_codeSize;
            m_bitCount -= m_codeSize;
            if (!take(code))
                return false;
        }
        return true;
    }

    // Whether the codes made exactly the picture's pixels: with the end
    // code, or, for writers that leave it out, at the end of the data.
    bool whole() const { return m_ended ? m_pixels == m_expected : m_pixels >= m_expected; }

private:
    static constexpr int MaxCodes = 4096;

    void restart()
    {
        m_next = m_clear + 2;
        m_codeSize = m_minimumSize + 1;
        m_previous = -1;
    }

    bool take(int code)
    {
        if (code == m_clear) {
            restart();
            return true;
        }
        if (code == m_clear + 1) {
            m_ended = true;
            return true;
        }
        if (m_previous < 0) {
            if (code > m_clear)
                return false;
            ++m_pixels;
            m_previous = code;
            return true;
        }
        if (code > m_next || (code == m_next && m_next >= MaxCodes))
            return false;
        const int previousLength = m_lengths[static_cast<std::size_t>(m_previous)];
        m_pixels += code == m_next ? previousLength + 1 : m_lengths[static_cast<std::size_t>(code)];
        if (m_next < MaxCodes) {
            m_lengths[static_cast<std::size_t>(m_next)] = previousLength + 1;
            ++m_next;
            if (m_next == 1 << m_codeSize && m_codeSize < 12)
                ++m_codeSize;
        }
        m_previous = code;
        return true;
    }

    std::array<int, MaxCodes> m_lengths{};
    int m_clear;
    int m_minimumSize;
    qint64 m_expected;
    qint64 m_pixels = 0;
    int m_next = 0;
    int m_codeSize = 0;
    int m_previous = -1;
    bool m_ended = false;
    quint32 m_bits = 0;
    int m_bitCount = 0;
};

// Walks a GIF from its screen descriptor on. at is where the next block starts.
class GifWalk
{
public:
    explicit GifWalk(const QFile &file) : m_bytes(file) {}

    PictureError run()
    {
        // "GIF89a", then the screen's width, height and flags.
        const QByteArray screen = m_bytes.read(6, 5);
        if (screen.size() < 5)
            return PictureError::Truncated;
        if (!Surface::canHold(static_cast<int>(littleEndian(screen, 0, 2)),
                              static_cast<int>(littleEndian(screen, 2, 2))))
            return PictureError::TooLarge;
        const int flags = static_cast<uchar>(screen.at(4));
        qint64 at = 13 + colourTableBytes(flags);
        for (;;) {
            const int introducer = m_bytes.byte(at);
            if (introducer < 0)
                return PictureError::Truncated;
            if (introducer == 0x21) {
                if (m_bytes.byte(at + 1) < 0)
                    return PictureError::Truncated;
                const PictureError error = skipSubBlocks(at + 2, at);
                if (error != PictureError::None)
                    return error;
            } else if (introducer == 0x2C) {
                return picture(at);
            } else {
                // The trailer before any picture, or no block at all.
                return PictureError::Damaged;
            }
        }
    }

private:
    static qint64 colourTableBytes(int flags) { return flags & 0x80 ? 3 << ((flags & 7) + 1) : 0; }

    // The data sub-blocks from at; end becomes the offset after them.
    PictureError skipSubBlocks(qint64 at, qint64 &end)
    {
        for (;;) {
            const int length = m_bytes.byte(at);
            if (length < 0)
                return PictureError::Truncated;
            at += 1 + length;
            if (length == 0)
                break;
        }
        end = at;
        return at <= m_bytes.size() ? PictureError::None : PictureError::Truncated;
    }

    PictureError picture(qint64 at)
    {
        const QByteArray descriptor = m_bytes.read(at + 1, 9);
        if (descriptor.size() < 9)
            return PictureError::Truncated;
        const qint64 pixels =
            qint64(littleEndian(descriptor, 4, 2)) * littleEndian(descriptor, 6, 2);
        at += 10 + colourTableBytes(static_cast<uchar>(descriptor.at(8)));
        const int minimumSize = m_bytes.byte(at);
        if (minimumSize < 0)
            return PictureError::Truncated;
        if (minimumSize < 1 || minimumSize > 8)
            return PictureError::Damaged;
        LzwCodes codes(minimumSize, pixels);
        for (++at;;) {
            const int length = m_bytes.byte(at++);
            if (length < 0)
                return PictureError::Truncated;
            if (length == 0)
                break;
            for (int i = 0; i < length; ++i) {
                const int byte = m_bytes.byte(at++);
                if (byte < 0)
                    return PictureError::Truncated;
                if (!codes.feed(static_cast<uchar>(byte)))
                    return PictureError::Damaged;
            }
        }
        return codes.whole() ? PictureError::None : PictureError::Damaged;
    }

    FileBytes m_bytes;
};

} // namespace

FileFacts walkPng(QFile &file)
{
    const FileBytes bytes(file);
    FileFacts facts;
    // After the eight bytes of the signature: length, type, data, checksum.
    for (qint64 at = 8;;) {
        const QByteArray head = bytes.read(at, 8);
        if (head.size() < 8) {
            facts.error = PictureError::Truncated;
            break;
        }
        const quint32 length = bigEndian32(head, 0);
        const QByteArray type = head.mid(4);
        if (length > 0x7FFFFFFFu) {
            facts.error = PictureError::Damaged;
            break;
        }
        const qint64 end = at + 8 + length + 4;
        if (end > bytes.size()) {
            facts.error = PictureError::Truncated;
            break;
        }
        if (type == "IEND")
            break;
        if (type == "eXIf" && length <= LargestExif)
            facts.orientation = exifOrientation(bytes.read(at + 8, length));
        at = end;
    }
    return facts;
}

FileFacts walkWebp(QFile &file)
{
    const FileBytes bytes(file);
    FileFacts facts;
    // "RIFF", the length of what follows, "WEBP", then the chunks: a name, a
    // length, and the data padded to an even length.
    const QByteArray riff = bytes.read(0, 12);
    if (riff.size() < 12) {
        facts.error = PictureError::Truncated;
        return facts;
    }
    // Sounds and films come in RIFF files too.
    if (!riff.endsWith("WEBP")) {
        facts.error = PictureError::NotPicture;
        return facts;
    }
    const qint64 end = 8 + qint64(littleEndian(riff, 4, 4));
    if (end > bytes.size()) {
        facts.error = PictureError::Truncated;
        return facts;
    }
    for (qint64 at = 12; at < end;) {
        const QByteArray head = bytes.read(at, 8);
        const qint64 length = head.size() < 8 ? end : littleEndian(head, 4, 4);
        if (at + 8 + length > end) {
            facts.error = PictureError::Damaged;
            break;
        }
        if (head.startsWith("EXIF") && length <= LargestExif)
            facts.orientation = exifOrientation(bytes.read(at + 8, length));
        at += 8 + length + (length & 1);
    }
    return facts;
}

FileFacts walkGif(QFile &file)
{
    FileFacts facts;
    facts.error = GifWalk(file).run();
    return facts;
}
