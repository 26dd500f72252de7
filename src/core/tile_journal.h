#pragma once

#include <QImage>
#include <QRect>

#include <memory>
#include <vector>

class TileJournal;

// What one held picture stores: the old pixels of the tiles the surface has
// written since the picture was taken, over a base for all the other tiles.
// The base is the surface's own image while the picture is live, or the image
// the surface let go of (a new size, a new picture) after that.
struct HeldTiles {
    QSize size;
    int columns = 0;
    // Null while live.
    QImage base;
    // One per tile; null where the picture reads its base.
    std::vector<QImage> saved;
    // One per tile without a saved copy: the picture's pixels are the base's
    // XORed with this (0: the base's own). A whole-picture XOR, which Invert
    // is, thus keeps the old picture at no cost.
    std::vector<QRgb> masks;
    std::weak_ptr<TileJournal> journal;

    bool live() const { return base.isNull(); }
    QRect tileRect(std::size_t index) const;
};

// A picture of a surface's persistent image as it was when it was taken. It
// costs nothing when taken: before the surface first writes a tile after that,
// the tile's old pixels are saved, once for every picture that still reads
// it, so pictures taken from one surface share every tile that did not change
// between them, and each tile the surface has not changed is the surface's
// own. Copies of a TiledPicture share one picture.
class TiledPicture
{
public:
    static constexpr int TileSize = 128;

    // No picture: an empty holder.
    bool isNull() const { return !m_held; }
    QSize size() const { return m_held ? m_held->size : QSize(); }
    int columns() const { return m_held ? m_held->columns : 0; }
    int rows() const;

    // The whole picture in one image (a null image for no picture, or when
    // the memory for it cannot be had).
    QImage toImage() const;

    // The pixels of one tile.
    QImage tile(int column, int row) const;
    // The same written to out, rows one after another, with no image made;
    // false when the picture reads a surface that is gone.
    bool copyTile(int column, int row, uchar *out) const;
    // Where the tile's pixels are kept: null while the picture reads them
    // from the surface's own image, else the address of the copy, which two
    // pictures that share it have in common.
    const uchar *storedTile(int column, int row) const;
    // What the tile's pixels are XORed with when read from the image (0 for
    // none, and for a stored tile).
    QRgb tileMask(int column, int row) const;
    // Whether the picture reads the surface's own image (no new size or
    // picture since it was taken, or one restored that put its image back).
    bool isLive() const;

private:
    friend class TileJournal;
    explicit TiledPicture(std::shared_ptr<HeldTiles> held) : m_held(std::move(held)) {}

public:
    TiledPicture() = default;

private:
    std::shared_ptr<HeldTiles> m_held;
};

// The surface's side of its held pictures: it tells the journal before it
// writes a tile of its image, when it lets go of its image and when it takes
// another, and the journal keeps every held picture right.
class TileJournal : public std::enable_shared_from_this<TileJournal>
{
public:
    // image is the surface's persistent image, which outlives the journal's
    // use of it: the surface calls detach() before it goes.
    explicit TileJournal(QImage *image) : m_image(image) {}

    // A picture of the image as it is now.
    TiledPicture hold();
    // Whether the picture was taken from this journal's surface.
    bool owns(const TiledPicture &picture) const;

    // Before the image is written within area: saves the tiles there for the
    // live pictures that read them. False when the memory cannot be had;
    // the image must then not be written (what was saved is still right).
    bool save(const QRect &area);
    // Every pixel of the image is about to be XORed with flip: live
    // pictures keep that instead of the old pixels. Nothing to allocate;
    // calling it again with the same flip takes it back.
    void flipAll(QRgb flip);
    // Whether a live picture other than except reads the image.
    bool readBesides(const TiledPicture &except) const;
    // Before the image is replaced: live pictures keep the present image.
    void letGo();
    // After the image was replaced: pictures whose base is the new image
    // read the surface's image again.
    void adopted();
    // The surface goes: live pictures keep its image.
    void detach();

    // The tiles picture holds apart from the image, which must be the base
    // it reads (a live picture, or one whose base was adopted).
    std::vector<std::size_t> savedTiles(const TiledPicture &picture) const;
    // Copies those tiles of picture into the image (saved first for the
    // other live pictures), so that the image equals the picture; false, with
    // nothing written, when the memory for the other pictures cannot be had.
    // The image must be a buffer of its own. Returns the area written.
    bool writeBack(const TiledPicture &picture, QRect &written);

    // The base of a picture that is not live (null for a live one).
    static QImage baseOf(const TiledPicture &picture)
    {
        return picture.m_held ? picture.m_held->base : QImage();
    }

    // The image the journal follows, for reading live pictures.
    const QImage *image() const { return m_image; }

private:
    // keepTile for many tiles at once.
    bool keepTiles(const std::vector<std::size_t> &tiles, const std::shared_ptr<HeldTiles> *first,
                   const std::shared_ptr<HeldTiles> *last);
    // Saves tile index for the pictures in [first, last) but except that
    // still read it from the image.
    bool keepTile(std::size_t index, const std::shared_ptr<HeldTiles> *first,
                  const std::shared_ptr<HeldTiles> *last,
                  const std::shared_ptr<HeldTiles> *except = nullptr);
    // The live pictures, pruned of the ones that are gone.
    std::vector<std::shared_ptr<HeldTiles>> livePictures();

    QImage *m_image;
    std::vector<std::weak_ptr<HeldTiles>> m_pictures;
};
