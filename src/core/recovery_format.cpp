#include "recovery_format.h"

#include "large_image.h"
#include "row_bands.h"
#include "surface.h"

#include <QFile>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zstd.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace recovery {

namespace {

constexpr char FileMagic[8] = {'K', 'A', 'L', 'V', 'O', 'C', 'P', 'Y'};
// Far beyond any picture the program holds: a header claiming more is damaged.

std::vector<char> packWords(std::initializer_list<std::uint32_t> words)
{
    std::vector<char> bytes(words.size() * 4);
    char *out = bytes.data();
    for (const std::uint32_t word : words) {
        qToLittleEndian(word, out);
        out += 4;
    }
    return bytes;
}

// Reads the headers of a copy through pread, counting where it is.
class HeaderReader
{
public:
    HeaderReader(int fd, std::int64_t fileBytes) : m_fd(fd), m_fileBytes(fileBytes) {}

    std::int64_t position() const { return m_position; }

    // False at the end of the file (a copy cut short).
    bool words(std::uint32_t *out, std::size_t count)
    {
        const auto bytes = static_cast<std::int64_t>(count * 4);
        if (m_position + bytes > m_fileBytes)
            return false;
        char buffer[64];
        if (pread(m_fd, buffer, static_cast<std::size_t>(bytes), m_position) != bytes)
            return false;
        for (std::size_t i = 0; i < count; ++i)
            out[i] = qFromLittleEndian<std::uint32_t>(buffer + i * 4);
        m_position += bytes;
        return true;
    }

    bool skip(std::int64_t bytes)
    {
        if (m_position + bytes > m_fileBytes)
            return false;
        m_position += bytes;
        return true;
    }

private:
    int m_fd;
    std::int64_t m_fileBytes;
    std::int64_t m_position = 0;
};

bool plausibleSize(std::uint32_t width, std::uint32_t height)
{
    return width >= 1 && height >= 1 && width <= Surface::MaxSide && height <= Surface::MaxSide &&
           qint64(width) * height <= Surface::MaxPixelsAnyMachine;
}

// What a copy holds: the size and background of its last complete frame,
// and where each tile's latest pixels are. Reads only the headers.
struct CopyIndex {
    bool valid = false;
    QSize size;
    Colour background = 0;
    struct Stored {
        std::int64_t offset = -1;
        std::uint32_t bytes = 0;
    };
    std::vector<Stored> tiles;
};

enum class FrameRead { Complete, Cut, Damaged };

// Reads the frame whose header is f into tiles (index, place); the reader
// stands after it when it is complete.
FrameRead readFrame(HeaderReader &in, const std::uint32_t (&f)[8], const TileGrid &grid,
                    std::vector<std::pair<std::uint32_t, CopyIndex::Stored>> &tiles)
{
    const std::uint32_t sequence = f[6];
    for (std::uint32_t t = 0; t < f[5]; ++t) {
        std::uint32_t tile[4];
        if (!in.words(tile, 4))
            return FrameRead::Cut;
        const std::uint32_t checked[4] = {tile[0], tile[1], tile[2], sequence};
        if (tile[3] != check(checked, 4) || tile[0] >= std::uint32_t(grid.count()))
            return FrameRead::Damaged;
        const QRect area = grid.tileRect(static_cast<int>(tile[0]));
        if (tile[2] != std::uint32_t(area.width() * area.height() * 4) || tile[1] == 0 ||
            tile[1] > ZSTD_compressBound(tile[2]))
            return FrameRead::Damaged;
        tiles.push_back({tile[0], {in.position(), tile[1]}});
        if (!in.skip(tile[1]))
            return FrameRead::Cut;
    }
    std::uint32_t end[2];
    if (!in.words(end, 2))
        return FrameRead::Cut;
    const std::uint32_t checked[2] = {sequence, f[5]};
    return end[0] == EndMark && end[1] == check(checked, 2) ? FrameRead::Complete
                                                            : FrameRead::Damaged;
}

} // namespace

QRect TileGrid::tileRect(int index) const
{
    const int column = index % columns();
    const int row = index / columns();
    return QRect(column * TileSize, row * TileSize, TileSize, TileSize) & QRect(QPoint(0, 0), size);
}

std::uint32_t check(const std::uint32_t *words, std::size_t count)
{
    // FNV-1a over the little-endian bytes.
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < count; ++i) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (words[i] >> shift) & 0xFF;
            hash *= 16777619u;
        }
    }
    return hash;
}

std::vector<char> fileHeader()
{
    std::uint32_t magic[2];
    std::memcpy(magic, FileMagic, sizeof magic);
    const std::uint32_t words[3] = {qFromLittleEndian(magic[0]), qFromLittleEndian(magic[1]),
                                    Version};
    return packWords({words[0], words[1], words[2], check(words, 3)});
}

std::vector<char> frameHeader(const FrameHeader &frame)
{
    const std::uint32_t words[7] = {FrameMark,
                                    frame.full ? 1u : 0u,
                                    std::uint32_t(frame.size.width()),
                                    std::uint32_t(frame.size.height()),
                                    frame.background,
                                    frame.tiles,
                                    frame.sequence};
    return packWords(
        {words[0], words[1], words[2], words[3], words[4], words[5], words[6], check(words, 7)});
}

std::vector<char> tileHeader(std::uint32_t index, std::uint32_t storedBytes,
                             std::uint32_t pixelBytes, std::uint32_t sequence)
{
    const std::uint32_t checked[4] = {index, storedBytes, pixelBytes, sequence};
    return packWords({index, storedBytes, pixelBytes, check(checked, 4)});
}

std::vector<char> frameEnd(const FrameHeader &frame)
{
    const std::uint32_t checked[2] = {frame.sequence, frame.tiles};
    return packWords({EndMark, check(checked, 2)});
}

namespace {

// fd is open for reading at a regular file.
CopyIndex indexCopy(int fd)
{
    CopyIndex index;
    struct stat status {
    };
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return index;
    HeaderReader in(fd, status.st_size);
    std::uint32_t header[4];
    const std::vector<char> expected = fileHeader();
    if (!in.words(header, 4) ||
        std::memcmp(packWords({header[0], header[1], header[2], header[3]}).data(), expected.data(),
                    expected.size()) != 0)
        return index;
    TileGrid grid;
    std::uint32_t sequence = 0;
    std::vector<std::pair<std::uint32_t, CopyIndex::Stored>> tiles;
    for (;;) {
        std::uint32_t f[8];
        if (!in.words(f, 8))
            break;
        const bool full = f[1] == 1;
        if (f[0] != FrameMark || f[7] != check(f, 7) || f[1] > 1 || !plausibleSize(f[2], f[3]) ||
            f[6] != sequence)
            return {};
        const QSize size(static_cast<int>(f[2]), static_cast<int>(f[3]));
        // Only a full frame may start the picture or change its size.
        if (!full && (!index.valid || size != index.size))
            return {};
        const TileGrid frameGrid{size};
        if (f[5] > std::uint32_t(frameGrid.count()) ||
            (full && f[5] != std::uint32_t(frameGrid.count())))
            return {};
        tiles.clear();
        const FrameRead read = readFrame(in, f, frameGrid, tiles);
        if (read == FrameRead::Damaged)
            return {};
        if (read == FrameRead::Cut)
            break;
        if (full) {
            index.tiles.assign(static_cast<std::size_t>(frameGrid.count()), {});
            grid = frameGrid;
        }
        for (const auto &[tile, stored] : tiles)
            index.tiles[tile] = stored;
        // A full frame names every tile once.
        if (full && std::any_of(index.tiles.begin(), index.tiles.end(),
                                [](const CopyIndex::Stored &s) { return s.offset < 0; }))
            return {};
        index.valid = true;
        index.size = size;
        index.background = f[4];
        ++sequence;
    }
    return index;
}

// Never waits: a pipe or a device in the copy's place is opened, never read.
int openCopy(const QString &path)
{
    return open(QFile::encodeName(path).constData(),
                O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
}

} // namespace

bool isWholeCopy(const QString &path)
{
    const int fd = openCopy(path);
    if (fd < 0)
        return false;
    const bool whole = indexCopy(fd).valid;
    close(fd);
    return whole;
}

RecoveredPicture readCopy(const QString &path)
{
    RecoveredPicture result;
    const int fd = openCopy(path);
    if (fd < 0)
        return result;
    const CopyIndex index = indexCopy(fd);
    if (!index.valid) {
        close(fd);
        return result;
    }
    const TileGrid grid{index.size};
    QImage image;
    // The room for it is what newLargeImage weighs.
    if (Surface::withinLimits(index.size.width(), index.size.height()))
        image = newLargeImage(index.size.width(), index.size.height());
    if (image.isNull()) {
        close(fd);
        result.outcome = RecoveredPicture::Outcome::NoMemory;
        return result;
    }
    // Tiles decompressed on two threads, each with its own buffers; rows as
    // plain pointers, since QImage's own calls are not for threads.
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto count = static_cast<std::size_t>(grid.count());
    const std::size_t groups = std::min<std::size_t>(count, 32);
    std::atomic<bool> damaged{false};
    runBands(groups, [&](std::size_t group) {
        ZSTD_DCtx *context = ZSTD_createDCtx();
        std::vector<char> stored;
        std::vector<char> pixels(std::size_t(TileSize) * TileSize * 4);
        for (std::size_t i = count * group / groups; i < count * (group + 1) / groups; ++i) {
            if (damaged || !context)
                break;
            const CopyIndex::Stored &place = index.tiles[i];
            const QRect area = grid.tileRect(static_cast<int>(i));
            const auto rowBytes = static_cast<std::size_t>(area.width()) * 4;
            stored.resize(place.bytes);
            const auto expected = rowBytes * static_cast<std::size_t>(area.height());
            if (pread(fd, stored.data(), place.bytes, place.offset) != qint64(place.bytes) ||
                ZSTD_decompressDCtx(context, pixels.data(), pixels.size(), stored.data(),
                                    place.bytes) != expected) {
                damaged = true;
                break;
            }
            for (int y = 0; y < area.height(); ++y)
                std::memcpy(bits + (area.top() + y) * stride + qsizetype(area.left()) * 4,
                            pixels.data() + rowBytes * static_cast<std::size_t>(y), rowBytes);
        }
        if (!context)
            damaged = true;
        ZSTD_freeDCtx(context);
    });
    close(fd);
    if (damaged)
        return result;
    result.outcome = RecoveredPicture::Outcome::Read;
    result.image = std::move(image);
    result.background = index.background;
    return result;
}

} // namespace recovery
