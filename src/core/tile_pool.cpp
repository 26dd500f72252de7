#include "tile_pool.h"

#include "memory_room.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t PieceBytes = std::size_t(64) << 10;
constexpr std::size_t BlockBytes = std::size_t(4) << 20;
constexpr std::size_t PiecesPerBlock = BlockBytes / PieceBytes;

// A block aligned to its size, so that a piece finds its block by its
// address, mapped from the system so that giving it back lowers the memory the
// program holds at once (the allocator would keep blocks of this size in its
// heap). Plain pages: advising huge ones made the kernel compact memory first
// and slowed a whole-picture filter's copies by half.
void *mapBlock()
{
    void *area =
        mmap(nullptr, 2 * BlockBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t aligned = (start + BlockBytes - 1) & ~(BlockBytes - 1);
    if (aligned > start)
        munmap(area, aligned - start);
    const std::uintptr_t end = start + 2 * BlockBytes;
    if (end > aligned + BlockBytes)
        munmap(reinterpret_cast<void *>(aligned + BlockBytes), end - aligned - BlockBytes);
    return reinterpret_cast<void *>(aligned);
}

class TilePool
{
public:
    std::size_t limit = 0;

    bool hasRoom(std::size_t pieces) const
    {
        if (limit != 0 && m_inUse + pieces > limit)
            return false;
        if (pieces <= m_free)
            return true;
        const std::size_t blocks = (pieces - m_free + PiecesPerBlock - 1) / PiecesPerBlock;
        return memory::canAllocate(static_cast<qint64>(blocks * BlockBytes));
    }

    uchar *take()
    {
        if (limit != 0 && m_inUse >= limit)
            return nullptr;
        uchar *piece = takePiece();
        if (piece)
            ++m_inUse;
        return piece;
    }

    uchar *takePiece()
    {
        while (!m_open.empty()) {
            Block &block = m_blocks.at(m_open.back());
            if (block.free.empty()) {
                m_open.pop_back();
                continue;
            }
            uchar *piece = block.free.back();
            block.free.pop_back();
            --m_free;
            if (block.free.empty())
                m_open.pop_back();
            return piece;
        }
        void *base = mapBlock();
        if (!base)
            return nullptr;
        Block &block = m_blocks[reinterpret_cast<std::uintptr_t>(base)];
        block.base = static_cast<uchar *>(base);
        for (std::size_t i = PiecesPerBlock; i-- > 1;)
            block.free.push_back(block.base + i * PieceBytes);
        m_free += PiecesPerBlock - 1;
        m_open.push_back(reinterpret_cast<std::uintptr_t>(base));
        return block.base;
    }

    void give(uchar *piece)
    {
        --m_inUse;
        const std::uintptr_t key = reinterpret_cast<std::uintptr_t>(piece) & ~(BlockBytes - 1);
        Block &block = m_blocks.at(key);
        if (block.free.empty())
            m_open.push_back(key);
        block.free.push_back(piece);
        ++m_free;
        // A block no tile uses goes back to the system, unless it is the
        // only one with room: the next stroke would just ask for it again.
        if (block.free.size() == PiecesPerBlock && m_open.size() > 1) {
            munmap(block.base, BlockBytes);
            m_free -= PiecesPerBlock;
            m_blocks.erase(key);
            std::erase(m_open, key);
        }
    }

private:
    struct Block {
        uchar *base = nullptr;
        std::vector<uchar *> free;
    };
    std::unordered_map<std::uintptr_t, Block> m_blocks;
    std::size_t m_inUse = 0;
    // Pieces free in the blocks mapped.
    std::size_t m_free = 0;
    // Blocks with free pieces, each once, the most recent last.
    std::vector<std::uintptr_t> m_open;
};

TilePool &pool()
{
    // Never destroyed: tiles may outlive every other static object.
    static TilePool *instance = new TilePool;
    return *instance;
}

void givePiece(void *piece)
{
    pool().give(static_cast<uchar *>(piece));
}

} // namespace

bool tilePoolHasRoom(std::size_t pieces)
{
    return pool().hasRoom(pieces);
}

void setTilePoolLimit(std::size_t pieces)
{
    pool().limit = pieces;
}

QImage pooledTile(QSize size, QImage::Format format)
{
    const auto rowBytes = static_cast<std::size_t>(size.width()) * 4;
    if (size.isEmpty() || rowBytes * static_cast<std::size_t>(size.height()) > PieceBytes)
        return {};
    uchar *piece = pool().take();
    if (!piece)
        return {};
    return QImage(piece, size.width(), size.height(), static_cast<qsizetype>(rowBytes), format,
                  givePiece, piece);
}

QImage pooledCopy(const QImage &image, const QRect &area)
{
    const QRect cell = area & image.rect();
    if (cell.isEmpty() || image.depth() != 32)
        return {};
    QImage tile = pooledTile(cell.size(), image.format());
    if (tile.isNull())
        return {};
    const auto rowBytes = static_cast<std::size_t>(cell.width()) * 4;
    uchar *piece = tile.bits();
    for (int y = 0; y < cell.height(); ++y)
        std::memcpy(piece + rowBytes * static_cast<std::size_t>(y),
                    image.constScanLine(cell.top() + y) + cell.left() * 4, rowBytes);
    return tile;
}
