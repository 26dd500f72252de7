#include "tile_journal.h"

#include "large_image.h"
#include "row_bands.h"
#include "tile_pool.h"

#include <algorithm>
#include <cstring>

namespace {

// From this many tiles on, one save is copied on two threads.
constexpr std::size_t ParallelTiles = 64;

int tilesFor(int length)
{
    return (length + TiledPicture::TileSize - 1) / TiledPicture::TileSize;
}

// The pixels of area XORed with mask, in place.
void flipArea(QImage &image, const QRect &area, QRgb mask)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y)) + area.left();
        for (int x = 0; x < area.width(); ++x)
            row[x] ^= mask;
    }
}

// A copy of area of image XORed with mask, in pooled memory.
QImage flippedCopy(const QImage &image, const QRect &area, QRgb mask)
{
    QImage copy = pooledCopy(image, area);
    if (!copy.isNull() && mask != 0)
        flipArea(copy, copy.rect(), mask);
    return copy;
}

// The rows of area of image XORed with mask, one after another into out.
void copyFlipped(const QImage &image, const QRect &area, QRgb mask, uchar *out)
{
    const auto bytes = static_cast<std::size_t>(area.width()) * 4;
    for (int y = 0; y < area.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out + bytes * static_cast<std::size_t>(y));
        std::memcpy(row, image.constScanLine(area.top() + y) + area.left() * 4, bytes);
        if (mask != 0) {
            for (int x = 0; x < area.width(); ++x)
                row[x] ^= mask;
        }
    }
}

void copyTileInto(QImage &image, const QRect &area, const QImage &tile)
{
    const auto bytes = static_cast<std::size_t>(area.width()) * 4;
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(image.scanLine(area.top() + y) + static_cast<qsizetype>(area.left()) * 4,
                    tile.constScanLine(y), bytes);
}

} // namespace

QRect HeldTiles::tileRect(std::size_t index) const
{
    const int column = static_cast<int>(index) % columns;
    const int row = static_cast<int>(index) / columns;
    const QRect cell(column * TiledPicture::TileSize, row * TiledPicture::TileSize,
                     TiledPicture::TileSize, TiledPicture::TileSize);
    return cell & QRect(QPoint(0, 0), size);
}

int TiledPicture::rows() const
{
    return m_held && m_held->columns > 0 ? static_cast<int>(m_held->saved.size()) / m_held->columns
                                         : 0;
}

bool TiledPicture::isLive() const
{
    return m_held && m_held->live();
}

namespace {

// The image a picture reads where it saved nothing.
const QImage *baseImage(const HeldTiles &held)
{
    if (!held.live())
        return &held.base;
    const auto journal = held.journal.lock();
    return journal ? journal->image() : nullptr;
}

} // namespace

QImage TiledPicture::toImage() const
{
    if (!m_held)
        return QImage();
    const QImage *base = baseImage(*m_held);
    if (!base)
        return QImage();
    QImage image = newLargeImage(m_held->size.width(), m_held->size.height(), base->format());
    if (image.isNull())
        return image;
    const auto bytes = static_cast<std::size_t>(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), base->constScanLine(y), bytes);
    for (std::size_t i = 0; i < m_held->saved.size(); ++i) {
        if (!m_held->saved[i].isNull())
            copyTileInto(image, m_held->tileRect(i), m_held->saved[i]);
        else if (m_held->masks[i] != 0)
            flipArea(image, m_held->tileRect(i), m_held->masks[i]);
    }
    return image;
}

QImage TiledPicture::tile(int column, int row) const
{
    if (!m_held)
        return QImage();
    const std::size_t index = static_cast<std::size_t>(row * m_held->columns + column);
    if (!m_held->saved[index].isNull())
        return m_held->saved[index];
    const QImage *base = baseImage(*m_held);
    if (!base)
        return QImage();
    QImage pixels = base->copy(m_held->tileRect(index));
    if (m_held->masks[index] != 0)
        flipArea(pixels, pixels.rect(), m_held->masks[index]);
    return pixels;
}

bool TiledPicture::copyTile(int column, int row, uchar *out) const
{
    if (!m_held)
        return false;
    const std::size_t index = static_cast<std::size_t>(row * m_held->columns + column);
    const QImage &saved = m_held->saved[index];
    if (!saved.isNull()) {
        copyFlipped(saved, saved.rect(), 0, out);
        return true;
    }
    const QImage *base = baseImage(*m_held);
    if (!base)
        return false;
    copyFlipped(*base, m_held->tileRect(index), m_held->masks[index], out);
    return true;
}

QRgb TiledPicture::tileMask(int column, int row) const
{
    return m_held ? m_held->masks[static_cast<std::size_t>(row * m_held->columns + column)] : 0;
}

const uchar *TiledPicture::storedTile(int column, int row) const
{
    if (!m_held)
        return nullptr;
    const QImage &saved = m_held->saved[static_cast<std::size_t>(row * m_held->columns + column)];
    return saved.isNull() ? nullptr : saved.constBits();
}

TiledPicture TileJournal::hold()
{
    auto held = std::make_shared<HeldTiles>();
    held->size = m_image->size();
    held->columns = tilesFor(held->size.width());
    held->saved.resize(static_cast<std::size_t>(held->columns) * tilesFor(held->size.height()));
    held->masks.assign(held->saved.size(), 0);
    held->journal = weak_from_this();
    std::erase_if(m_pictures, [](const std::weak_ptr<HeldTiles> &p) { return p.expired(); });
    m_pictures.push_back(held);
    return TiledPicture(std::move(held));
}

bool TileJournal::owns(const TiledPicture &picture) const
{
    return picture.m_held && picture.m_held->journal.lock().get() == this;
}

std::vector<std::shared_ptr<HeldTiles>> TileJournal::livePictures()
{
    std::vector<std::shared_ptr<HeldTiles>> live;
    std::erase_if(m_pictures, [&live](const std::weak_ptr<HeldTiles> &p) {
        auto held = p.lock();
        if (!held)
            return true;
        if (held->live())
            live.push_back(std::move(held));
        return false;
    });
    return live;
}

bool TileJournal::readBesides(const TiledPicture &except) const
{
    return std::any_of(m_pictures.begin(), m_pictures.end(), [&except](const auto &p) {
        const auto held = p.lock();
        // except's own, unless a copy of it is kept elsewhere (two owners:
        // except and the lock here).
        const bool exceptOnly = held == except.m_held && held.use_count() == 2;
        return held && held->live() && !exceptOnly;
    });
}

bool TileJournal::save(const QRect &area)
{
    // Called before every drawing step: no allocation when nothing is held.
    std::shared_ptr<HeldTiles> live[4];
    std::size_t count = 0;
    bool many = false;
    for (const auto &p : m_pictures) {
        auto held = p.lock();
        if (!held || !held->live())
            continue;
        if (count == std::size(live)) {
            many = true;
            break;
        }
        live[count++] = std::move(held);
    }
    if (count == 0)
        return true;
    std::vector<std::shared_ptr<HeldTiles>> all;
    if (many)
        all = livePictures();
    const std::shared_ptr<HeldTiles> *first = many ? all.data() : live;
    const std::shared_ptr<HeldTiles> *last = many ? all.data() + all.size() : live + count;
    const QRect clipped = area & m_image->rect();
    if (clipped.isEmpty())
        return true;
    const int columns = tilesFor(m_image->width());
    const int firstColumn = clipped.left() / TiledPicture::TileSize;
    const int lastColumn = clipped.right() / TiledPicture::TileSize;
    const int firstRow = clipped.top() / TiledPicture::TileSize;
    const int lastRow = clipped.bottom() / TiledPicture::TileSize;
    std::vector<std::size_t> tiles;
    tiles.reserve(static_cast<std::size_t>(lastColumn - firstColumn + 1) *
                  static_cast<std::size_t>(lastRow - firstRow + 1));
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column)
            tiles.push_back(static_cast<std::size_t>(row * columns + column));
    }
    if (tiles.size() >= ParallelTiles)
        return keepTiles(tiles, first, last);
    for (const std::size_t index : tiles) {
        if (!keepTile(index, first, last))
            return false;
    }
    return true;
}

bool TileJournal::keepTiles(const std::vector<std::size_t> &tiles,
                            const std::shared_ptr<HeldTiles> *first,
                            const std::shared_ptr<HeldTiles> *last)
{
    // The memory is taken first, in order; the copying, which on a big
    // picture costs as much in first touches of fresh memory as in moving
    // pixels, is then shared by two threads.
    struct Copy {
        std::size_t index;
        QRgb mask;
        QImage tile;
        uchar *bits;
    };
    std::vector<Copy> copies;
    std::vector<std::pair<HeldTiles *, std::size_t>> owners;
    for (const std::size_t index : tiles) {
        // One copy for each mask the pictures that still read the tile have.
        const std::size_t firstCopy = copies.size();
        for (auto held = first; held != last; ++held) {
            if (!(*held)->saved[index].isNull())
                continue;
            const QRgb mask = (*held)->masks[index];
            std::size_t copy = firstCopy;
            while (copy < copies.size() && copies[copy].mask != mask)
                ++copy;
            if (copy == copies.size())
                copies.push_back({index, mask, QImage(), nullptr});
            owners.emplace_back(held->get(), copy);
        }
    }
    // Counted first: a whole-picture save is refused before any of it is
    // taken when the machine has no room for it.
    if (!tilePoolHasRoom(copies.size()))
        return false;
    for (Copy &copy : copies) {
        copy.tile = pooledTile((*first)->tileRect(copy.index).size(), m_image->format());
        if (copy.tile.isNull())
            return false;
        copy.bits = copy.tile.bits();
    }
    const HeldTiles &shape = **first;
    const QImage &image = *m_image;
    runBands(copies.size(), [&](std::size_t i) {
        const Copy &copy = copies[i];
        copyFlipped(image, shape.tileRect(copy.index), copy.mask, copy.bits);
    });
    for (const auto &[held, copy] : owners) {
        held->saved[copies[copy].index] = copies[copy].tile;
        held->masks[copies[copy].index] = 0;
    }
    return true;
}

bool TileJournal::keepTile(std::size_t index, const std::shared_ptr<HeldTiles> *first,
                           const std::shared_ptr<HeldTiles> *last,
                           const std::shared_ptr<HeldTiles> *except)
{
    // Pictures that read the tile through the same mask share one copy.
    std::pair<QRgb, QImage> copies[4];
    std::size_t made = 0;
    for (auto held = first; held != last; ++held) {
        if ((except && *held == *except) || !(*held)->saved[index].isNull())
            continue;
        QRgb &mask = (*held)->masks[index];
        QImage copy;
        for (std::size_t c = 0; c < made; ++c) {
            if (copies[c].first == mask)
                copy = copies[c].second;
        }
        if (copy.isNull()) {
            copy = flippedCopy(*m_image, (*held)->tileRect(index), mask);
            if (copy.isNull())
                return false;
            if (made < std::size(copies))
                copies[made++] = {mask, copy};
        }
        (*held)->saved[index] = copy;
        mask = 0;
    }
    return true;
}

void TileJournal::flipAll(QRgb flip)
{
    for (const auto &held : livePictures()) {
        for (std::size_t i = 0; i < held->saved.size(); ++i) {
            if (held->saved[i].isNull())
                held->masks[i] ^= flip;
        }
    }
}

void TileJournal::letGo()
{
    for (const auto &held : livePictures())
        held->base = *m_image;
}

void TileJournal::adopted()
{
    const uchar *bits = m_image->constBits();
    if (!bits)
        return;
    for (const auto &p : m_pictures) {
        const auto held = p.lock();
        if (held && !held->live() && held->base.constBits() == bits &&
            held->base.size() == m_image->size())
            held->base = QImage();
    }
}

void TileJournal::detach()
{
    letGo();
    m_pictures.clear();
    m_image = nullptr;
}

std::vector<std::size_t> TileJournal::savedTiles(const TiledPicture &picture) const
{
    std::vector<std::size_t> tiles;
    const auto &saved = picture.m_held->saved;
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (!saved[i].isNull() || picture.m_held->masks[i] != 0)
            tiles.push_back(i);
    }
    return tiles;
}

bool TileJournal::writeBack(const TiledPicture &picture, QRect &written)
{
    const std::shared_ptr<HeldTiles> &held = picture.m_held;
    const std::vector<std::size_t> tiles = savedTiles(picture);
    const auto live = livePictures();
    // Every other live picture keeps what a copied tile has now before
    // anything is written, so that running short of memory leaves everything
    // as it was. A masked tile is flipped in place: the others' masks follow
    // it, and no memory is needed.
    for (const std::size_t i : tiles) {
        if (!held->saved[i].isNull() && !keepTile(i, live.data(), live.data() + live.size(), &held))
            return false;
    }
    written = QRect();
    for (const std::size_t i : tiles) {
        const QRect area = held->tileRect(i);
        if (!held->saved[i].isNull()) {
            copyTileInto(*m_image, area, held->saved[i]);
            held->saved[i] = QImage();
        } else {
            const QRgb mask = held->masks[i];
            for (const auto &other : live) {
                if (other != held && other->saved[i].isNull())
                    other->masks[i] ^= mask;
            }
            flipArea(*m_image, area, mask);
            held->masks[i] = 0;
        }
        written |= area;
    }
    return true;
}
