#include "reduced_picture.h"

#include "core/large_image.h"
#include "core/surface.h"

#include <algorithm>
#include <thread>

namespace {

// Writes the block means of source within blocks (rows and columns of
// target pixels) into target; factor picture pixels on a block's side.
void reduceBlocks(const QImage &source, QImage &target, const QRect &blocks, int factor)
{
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(blocks.width()) * 3);
    for (int y = blocks.top(); y <= blocks.bottom(); ++y) {
        std::fill(sums.begin(), sums.end(), 0u);
        const int top = y * factor;
        const int bottom = std::min(top + factor, sourceHeight);
        for (int sy = top; sy < bottom; ++sy) {
            const auto *row = reinterpret_cast<const QRgb *>(source.constScanLine(sy));
            for (int x = 0; x < blocks.width(); ++x) {
                const int left = (blocks.left() + x) * factor;
                const int right = std::min(left + factor, sourceWidth);
                std::uint32_t *sum = &sums[static_cast<std::size_t>(x) * 3];
                for (int sx = left; sx < right; ++sx) {
                    const QRgb p = row[sx];
                    sum[0] += qRed(p);
                    sum[1] += qGreen(p);
                    sum[2] += qBlue(p);
                }
            }
        }
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(y));
        const auto rows = static_cast<std::uint32_t>(bottom - top);
        for (int x = 0; x < blocks.width(); ++x) {
            const int left = (blocks.left() + x) * factor;
            const auto count =
                rows * static_cast<std::uint32_t>(std::min(left + factor, sourceWidth) - left);
            const std::uint32_t *sum = &sums[static_cast<std::size_t>(x) * 3];
            out[blocks.left() + x] = qRgb(static_cast<int>((sum[0] + count / 2) / count),
                                          static_cast<int>((sum[1] + count / 2) / count),
                                          static_cast<int>((sum[2] + count / 2) / count));
        }
    }
}

// The same on two threads when the work is large: the halves of blocks.
void reduceBlocksInParallel(const QImage &source, QImage &target, const QRect &blocks, int factor)
{
    constexpr qint64 Small = 1 << 20;
    const qint64 work = qint64(blocks.width()) * blocks.height() * factor * factor;
    if (work < Small || blocks.height() < 2) {
        reduceBlocks(source, target, blocks, factor);
        return;
    }
    const int half = blocks.height() / 2;
    std::thread other(reduceBlocks, std::cref(source), std::ref(target),
                      QRect(blocks.left(), blocks.top(), blocks.width(), half), factor);
    reduceBlocks(source, target, blocks.adjusted(0, half, 0, 0), factor);
    other.join();
}

int ceilDiv(int value, int divisor)
{
    return (value + divisor - 1) / divisor;
}

} // namespace

ReducedPicture::ReducedPicture(const Surface &surface, QObject *parent)
    : QObject(parent), m_surface(surface)
{
    connect(&surface, &Surface::imageChanged, this, &ReducedPicture::markChanged);
    connect(&surface, &Surface::sizeChanged, this, &ReducedPicture::drop);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &ReducedPicture::refreshOverview);
    m_idle.start();
}

void ReducedPicture::refreshOverview()
{
    Level &overview = current(Levels);
    if (overview.pixels.isNull()) {
        // Made here at first, every tile of it stale.
        if (reduced(Levels, QRect()).isNull())
            m_idle.stop();
        return;
    }
    const auto perRow = static_cast<std::ptrdiff_t>(columns());
    for (auto row = overview.stale.begin(); row != overview.stale.end(); row += perRow) {
        if (std::find(row, row + perRow, 1) == row + perRow)
            continue;
        const auto index = static_cast<int>((row - overview.stale.begin()) / perRow);
        reduced(Levels, QRect(0, index * TileSize, m_surface.width(), TileSize));
        return;
    }
    m_idle.stop();
}

int ReducedPicture::columns() const
{
    return ceilDiv(m_surface.width(), TileSize);
}

void ReducedPicture::drop()
{
    for (Level &level : m_levels)
        level = Level();
    m_idle.start();
}

ReducedPicture::Level &ReducedPicture::current(int levelNumber)
{
    Level &level = m_levels[static_cast<std::size_t>(std::clamp(levelNumber, 1, Levels) - 1)];
    if (!level.stale.empty() && level.madeFor != m_surface.size())
        level = Level();
    return level;
}

void ReducedPicture::markChanged(const QRect &area)
{
    const QRect changed = area & m_surface.rect();
    if (changed.isEmpty())
        return;
    m_idle.start();
    const int columnCount = columns();
    for (int number = 1; number <= Levels; ++number) {
        Level &level = current(number);
        if (level.stale.empty())
            continue;
        for (int row = changed.top() / TileSize; row <= changed.bottom() / TileSize; ++row)
            for (int column = changed.left() / TileSize; column <= changed.right() / TileSize;
                 ++column)
                level.stale[static_cast<std::size_t>(row * columnCount + column)] = 1;
    }
}

const QImage &ReducedPicture::reduced(int levelNumber, const QRect &area)
{
    Level &level = current(levelNumber);
    const int factor = 1 << levelNumber;
    const QSize size = m_surface.size();
    if (level.pixels.isNull()) {
        level.madeFor = size;
        level.pixels = newLargeImage(ceilDiv(size.width(), factor), ceilDiv(size.height(), factor));
        if (level.pixels.isNull())
            return level.pixels;
        level.stale.assign(static_cast<std::size_t>(columns() * ceilDiv(size.height(), TileSize)),
                           1);
    }
    const QRect wanted = area & m_surface.rect();
    if (wanted.isEmpty())
        return level.pixels;
    // Stale tiles of the wanted area, row by row, joined where they follow
    // each other so that one pass serves a whole run.
    const QImage picture = m_surface.image();
    const int columnCount = columns();
    const int perTile = TileSize / factor;
    for (int row = wanted.top() / TileSize; row <= wanted.bottom() / TileSize; ++row) {
        int column = wanted.left() / TileSize;
        const int last = wanted.right() / TileSize;
        while (column <= last) {
            auto stale = [&](int c) {
                return level.stale[static_cast<std::size_t>(row * columnCount + c)] != 0;
            };
            if (!stale(column)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column <= last && stale(column)) {
                level.stale[static_cast<std::size_t>(row * columnCount + column)] = 0;
                ++column;
            }
            const QRect blocks =
                QRect(first * perTile, row * perTile, (column - first) * perTile, perTile) &
                level.pixels.rect();
            reduceBlocksInParallel(picture, level.pixels, blocks, factor);
        }
    }
    return level.pixels;
}

QImage ReducedPicture::reduce(const QImage &picture, int factor)
{
    QImage target(ceilDiv(picture.width(), factor), ceilDiv(picture.height(), factor),
                  QImage::Format_RGB32);
    if (!target.isNull())
        reduceBlocks(picture, target, target.rect(), factor);
    return target;
}
