#include "tile_journal.h"

#include "large_image.h"
#include "tile_pool.h"

#include <algorithm>
#include <cstring>

namespace {

int tilesFor(int length)
{
    return (length + TiledPicture::TileSize - 1) / TiledPicture::TileSize;
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
    return base ? base->copy(m_held->tileRect(index)) : QImage();
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
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const auto index = static_cast<std::size_t>(row * columns + column);
            QImage copy;
            for (auto held = first; held != last; ++held) {
                QImage &saved = (*held)->saved[index];
                if (!saved.isNull())
                    continue;
                if (copy.isNull()) {
                    copy = pooledCopy(*m_image, (*held)->tileRect(index));
                    if (copy.isNull())
                        return false;
                }
                saved = copy;
            }
        }
    }
    return true;
}

bool TileJournal::saveTile(std::size_t index, const std::shared_ptr<HeldTiles> *except)
{
    QImage copy;
    for (const auto &held : livePictures()) {
        if ((except && held == *except) || !held->saved[index].isNull())
            continue;
        if (copy.isNull()) {
            copy = pooledCopy(*m_image, held->tileRect(index));
            if (copy.isNull())
                return false;
        }
        held->saved[index] = copy;
    }
    return true;
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
        if (!saved[i].isNull())
            tiles.push_back(i);
    }
    return tiles;
}

bool TileJournal::writeBack(const TiledPicture &picture, QRect &written)
{
    const std::shared_ptr<HeldTiles> &held = picture.m_held;
    const std::vector<std::size_t> tiles = savedTiles(picture);
    // Every other live picture keeps what the image has now before anything
    // is written, so that running short of memory leaves everything as it was.
    for (const std::size_t i : tiles) {
        if (!saveTile(i, &held))
            return false;
    }
    written = QRect();
    for (const std::size_t i : tiles) {
        const QRect area = held->tileRect(i);
        copyTileInto(*m_image, area, held->saved[i]);
        held->saved[i] = QImage();
        written |= area;
    }
    return true;
}
