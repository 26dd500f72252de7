#include "reduced_picture.h"

#include "core/large_image.h"
#include "core/surface.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// Writes the block means of source within blocks (rows and columns of the
// shrunk picture) into target, whose top left pixel is the block at origin;
// factor picture pixels on a block's side.
void reduceBlocks(const QImage &source, QImage &target, const QRect &blocks, QPoint origin,
                  int factor)
{
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    std::vector<const QRgb *> rows(static_cast<std::size_t>(factor));
    for (int y = blocks.top(); y <= blocks.bottom(); ++y) {
        const int top = y * factor;
        const int height = std::min(factor, sourceHeight - top);
        for (int row = 0; row < height; ++row)
            rows[static_cast<std::size_t>(row)] =
                reinterpret_cast<const QRgb *>(source.constScanLine(top + row));
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(y - origin.y())) - origin.x();
        for (int x = blocks.left(); x <= blocks.right(); ++x) {
            const int left = x * factor;
            const int width = std::min(factor, sourceWidth - left);
            // Red and blue side by side, 32 bits apart: however large the
            // block, one never runs into the other.
            std::uint64_t redBlue = 0;
            std::uint64_t green = 0;
            for (int row = 0; row < height; ++row) {
                const QRgb *in = rows[static_cast<std::size_t>(row)] + left;
                for (int column = 0; column < width; ++column) {
                    redBlue += (in[column] & 0xFFu) | std::uint64_t(in[column] & 0xFF0000u) << 16;
                    green += in[column] & 0xFF00u;
                }
            }
            const auto count = static_cast<std::uint64_t>(width * height);
            const auto mean = [count](std::uint64_t sum) {
                return static_cast<int>((sum + count / 2) / count);
            };
            out[x] = qRgb(mean(redBlue >> 32), mean(green >> 8), mean(redBlue & 0xFFFFFFFFu));
        }
    }
}

// The same on two threads when the work is large: the halves of blocks.
void reduceBlocksInParallel(const QImage &source, QImage &target, const QRect &blocks,
                            QPoint origin, int factor)
{
    constexpr qint64 Small = 1 << 20;
    const qint64 work = qint64(blocks.width()) * blocks.height() * factor * factor;
    if (work < Small || blocks.height() < 2) {
        reduceBlocks(source, target, blocks, origin, factor);
        return;
    }
    const int half = blocks.height() / 2;
    std::thread other(reduceBlocks, std::cref(source), std::ref(target),
                      QRect(blocks.left(), blocks.top(), blocks.width(), half), origin, factor);
    reduceBlocks(source, target, blocks.adjusted(0, half, 0, 0), origin, factor);
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
    connect(&m_idle, &QTimer::timeout, this, &ReducedPicture::refreshInIdleTime);
    m_idle.start();
    m_resume.setSingleShot(true);
    m_resume.setInterval(200);
    connect(&m_resume, &QTimer::timeout, &m_idle, qOverload<>(&QTimer::start));
}

void ReducedPicture::refreshInIdleTime()
{
    // A millisecond at a time, on one thread: an input that arrives during
    // this work waits for no more than that.
    constexpr qint64 BudgetNs = 1'000'000;
    QElapsedTimer spent;
    spent.start();
    const QImage picture = m_surface.image();
    for (int number = Levels; number >= 1; --number) {
        Level &level = current(number);
        if (number != Levels && !level.wanted)
            continue;
        if (level.pixels.isNull() && !make(number)) {
            level.wanted = false;
            continue;
        }
        // Its memory first, a few rows at a time: the first touch of each
        // page is what costs.
        while (level.touchedRows < level.pixels.height()) {
            std::memset(level.pixels.scanLine(level.touchedRows++), 0,
                        static_cast<std::size_t>(level.pixels.bytesPerLine()));
            if (spent.nsecsElapsed() >= BudgetNs)
                return;
        }
        const int factor = 1 << number;
        const int perTile = TileSize / factor;
        const int columnCount = columns();
        for (std::size_t tile = 0; tile < level.stale.size(); ++tile) {
            if (level.stale[tile] == 0)
                continue;
            level.stale[tile] = 0;
            const int row = static_cast<int>(tile) / columnCount;
            const int column = static_cast<int>(tile) % columnCount;
            const QRect blocks =
                QRect(column * perTile, row * perTile, perTile, perTile) & level.pixels.rect();
            reduceBlocks(picture, level.pixels, blocks, QPoint(), factor);
            if (spent.nsecsElapsed() >= BudgetNs)
                return;
        }
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
    if (!m_resume.isActive())
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
    if (!m_resume.isActive())
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

bool ReducedPicture::ready(int levelNumber) const
{
    const Level &level = m_levels[static_cast<std::size_t>(std::clamp(levelNumber, 1, Levels) - 1)];
    return !level.pixels.isNull() && level.touchedRows == level.pixels.height() &&
           level.madeFor == m_surface.size();
}

void ReducedPicture::hold()
{
    m_idle.stop();
    m_resume.start();
}

void ReducedPicture::shrunk(int levelNumber, const QRect &blocks, QImage &into)
{
    const int factor = 1 << levelNumber;
    if (ready(levelNumber)) {
        update(levelNumber, QRect(blocks.topLeft() * factor, blocks.size() * factor));
        const QImage &kept = current(levelNumber).pixels;
        const auto bytes = static_cast<std::size_t>(blocks.width()) * sizeof(QRgb);
        for (int y = 0; y < blocks.height(); ++y)
            std::memcpy(into.scanLine(y),
                        kept.constScanLine(blocks.top() + y) +
                            static_cast<std::size_t>(blocks.left()) * sizeof(QRgb),
                        bytes);
        return;
    }
    current(levelNumber).wanted = true;
    const QImage picture = m_surface.image();
    const QRect inside =
        blocks & QRect(0, 0, ceilDiv(picture.width(), factor), ceilDiv(picture.height(), factor));
    if (!inside.isEmpty())
        reduceBlocksInParallel(picture, into, inside, blocks.topLeft(), factor);
}

bool ReducedPicture::make(int levelNumber)
{
    Level &level = current(levelNumber);
    const int factor = 1 << levelNumber;
    const QSize size = m_surface.size();
    level.madeFor = size;
    level.touchedRows = 0;
    level.pixels = newLargeImage(ceilDiv(size.width(), factor), ceilDiv(size.height(), factor));
    if (level.pixels.isNull())
        return false;
    level.stale.assign(static_cast<std::size_t>(columns() * ceilDiv(size.height(), TileSize)), 1);
    return true;
}

void ReducedPicture::update(int levelNumber, const QRect &area)
{
    Level &level = current(levelNumber);
    const int factor = 1 << levelNumber;
    const QRect wanted = area & m_surface.rect();
    if (wanted.isEmpty())
        return;
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
            reduceBlocksInParallel(picture, level.pixels, blocks, QPoint(), factor);
        }
    }
}

QImage ReducedPicture::reduce(const QImage &picture, int factor)
{
    QImage target(ceilDiv(picture.width(), factor), ceilDiv(picture.height(), factor),
                  QImage::Format_RGB32);
    if (!target.isNull())
        reduceBlocks(picture, target, target.rect(), QPoint(), factor);
    return target;
}
