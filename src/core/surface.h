#pragma once

#include "colour.h"
#include "pen.h"
#include "screen_patch.h"
#include "tile_journal.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QPointF>
#include <QRect>

#include <functional>
#include <memory>

class QPainter;

// A raster drawing surface with two layers: the persistent image (the
// document) and the screen. Drawing goes into the image and the screen shows
// it; a preview draws on the screen alone (autoRedraw is off while it runs),
// and the next preview or refresh() wipes it. The screen is stored as the
// image plus a patch of tiles where it differs, so a preview and its refresh
// cost the preview's area, not the picture's.
//
// Coordinates are pixels, origin top left. Real coordinates are rounded half to
// even. Every operation clips to the surface; nothing here reports an error,
// except the calls that change the size, which refuse a size the machine cannot
// hold and leave the surface as it was.
class Surface : public QObject
{
    Q_OBJECT

public:
    enum class LineForm { Segment, Box, FilledBox };
    enum class StretchMode { Default, Halftone };

    static constexpr int MaxDrawWidth = 100;

    explicit Surface(int width = 1, int height = 1, Colour backColour = 0x00FFFFFF,
                     QObject *parent = nullptr);
    ~Surface() override;

    // No side longer, and no more pixels on any machine.
    static constexpr int MaxSide = 1 << 16;
    static constexpr qint64 MaxPixelsAnyMachine = qint64(1) << 28;

    // Whether a surface of this size can be had: both sides at least 1, small
    // enough for this machine's memory, and room for it now (memory_room.h).
    static bool canHold(int width, int height);
    // Both sides at least 1 and the pixels within what this machine holds.
    static bool withinLimits(int width, int height);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    QSize size() const { return m_image.size(); }
    QRect rect() const { return m_image.rect(); }

    // New size: the top-left pixels that fit stay, the rest is background.
    bool setSize(int width, int height);
    bool setWidth(int width) { return setSize(width, height()); }
    bool setHeight(int height) { return setSize(width(), height); }

    // Background picture: replaces the whole image with the background colour
    // and the picture at (0, 0), and takes the picture's size. A null picture
    // clears the image to the background colour and keeps the size.
    bool setPicture(const QImage &picture);
    void clearPicture() { setPicture(QImage()); }
    bool hasPicture() const { return !m_picture.isNull() || !m_heldPicture.isNull(); }
    // The background picture becomes part of the image: nothing keeps it
    // apart any more, and a later background colour clears to the colour.
    void mergePicture();

    // The persistent image: a copy, independent of later drawing.
    QImage image() const { return m_image; }

    // A picture of the persistent image as it is now, for undo. Taking one
    // costs nothing: a tile's old pixels are saved when the surface first
    // writes it afterwards, shared by every picture that still reads them.
    TiledPicture hold();
    // The persistent image becomes the held picture, its size included,
    // writing back only the tiles where the two differ. False, with nothing
    // changed, when the memory for it cannot be had.
    bool restore(const TiledPicture &picture);

    Colour backColour() const { return m_backColour; }
    // Clears the image to the colour, with the background picture on top.
    void setBackColour(Colour colour);

    // Whether drawing goes into the image (on) or to the screen alone.
    bool autoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on) { m_autoRedraw = on; }

    // The line width and style that the line options chose, which a stroke's
    // pen takes and the drawing that takes a colour alone draws with.
    // Width 1..100; values outside are brought into that range.
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int width);
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot; only 1-pixel pens.
    int drawStyle() const { return m_drawStyle; }
    void setDrawStyle(int style);
    const QFont &font() const { return m_font; }
    void setFont(const QFont &font);
    StretchMode stretchMode() const { return m_stretchMode; }
    void setStretchMode(StretchMode mode) { m_stretchMode = mode; }

    // The screen shows the persistent image again.
    void refresh();
    // Wipes the previous preview, then runs draw with the drawing going to
    // the screen layer alone.
    void preview(const std::function<void()> &draw);

    // Drawing, on the layer that autoRedraw selects, with pen; or in colour
    // with the surface's line width and style. Closed shapes are outlined
    // with the pen and filled in its fill colour when it fills.
    void line(QPointF from, QPointF to, const Pen &pen, LineForm form = LineForm::Segment);
    void line(QPointF from, QPointF to, Colour colour, LineForm form = LineForm::Segment);
    void pset(QPointF at, const Pen &pen);
    void pset(QPointF at, Colour colour);
    void circle(QPointF centre, double radius, const Pen &pen);
    void ellipse(QPointF corner1, QPointF corner2, const Pen &pen);
    void roundRect(QPointF corner1, QPointF corner2, int cornerWidth, int cornerHeight,
                   const Pen &pen);
    void textOut(QPointF at, const QString &text, Colour colour);
    QSize textSize(const QString &text) const;

    // Pixels of the current layer; NoColour outside.
    Colour point(QPointF at) const;
    Colour getPixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);

    // Copies between surfaces (or within one). Rectangles are corner plus
    // extents; a negative extent runs the other way, so opposite signs on the
    // source and destination mirror the copy.
    void bitBlt(const QRect &destination, const Surface &source, QPoint sourceOrigin);
    void stretchBlt(const QRect &destination, const Surface &source, const QRect &sourceRect);
    void transparentBlt(const QRect &destination, const Surface &source, const QRect &sourceRect,
                        Colour key);
    // The whole of source stretched over the whole surface in mode, leaving
    // out every stretched pixel that is exactly key. The stretch is made a
    // few rows at a time, never held whole. False, with nothing changed, when
    // the memory cannot be had.
    bool stretchKeyed(const Surface &source, StretchMode mode, Colour key);
    // Becomes the whole of source stretched to size, in the stretch mode, as
    // setSize and a whole-surface stretchBlt would. False, with nothing
    // changed, when the memory cannot be had.
    bool stretchFrom(const Surface &source, QSize size);

    // Fills the 4-connected region of pixels exactly equal to match around
    // start, with fill or with pattern tiled from the origin. Nothing happens
    // when the start pixel does not have that colour.
    void extFloodFill(QPointF start, Colour match, Colour fill, const QImage &pattern = QImage());

    // Linear blend over the rectangle between the two corners (right and
    // bottom edges excluded): colour1 on corner1's side, colour2 on corner2's,
    // along x or, when vertical, along y.
    void gradientFill(QPoint corner1, Colour colour1, QPoint corner2, Colour colour2,
                      bool vertical);

    // Paints the screen (image plus preview patch) within area, at 1:1.
    void paintScreen(QPainter &painter, const QRect &area) const;
    // Where the screen differs from the image.
    QRect previewRect() const { return m_patch.bounds(); }
    // The squares of the screen that may differ from the image (aligned to
    // multiples of 64 pixels).
    std::vector<QRect> previewTiles() const { return m_patch.tileRects(); }
    // What the screen shows within area (clipped to the surface): the image
    // with the preview over it.
    QImage grabScreen(const QRect &area) const;
    // The same for reading at once: the pixels in place where no preview
    // lies over them, valid only until this surface next changes.
    QImage readScreen(const QRect &area) const;
    // The current layer's pixels within area (clipped to the surface).
    QImage grabLayer(const QRect &area) const;
    // The same for reading at once: the pixels in place where nothing is
    // drawn over them, valid only until this surface next changes.
    QImage readLayer(const QRect &area) const;

    // Whole-picture pixel work (the filters): work gets the current layer as
    // one RGB32 image and changes it in place (the persistent image itself
    // while autoRedraw is on, else a copy of the screen that is written back);
    // the whole surface then counts as changed. work returns false when it
    // refuses, and must then leave the pixels alone. False also when the
    // layer cannot be had for writing (no memory for a buffer of its own or
    // for the old pixels the held pictures keep). When work XORs every pixel
    // with one value, flip says which: the held pictures then keep that
    // value instead of the old pixels.
    bool editPixels(const std::function<bool(QImage &pixels)> &work, QRgb flip = 0);

signals:
    // Something visible changed within the rectangle.
    void screenChanged(const QRect &area);
    // The persistent image changed within the rectangle.
    void imageChanged(const QRect &area);
    void sizeChanged(const QSize &size);

public:
    // Writes into the current layer; defined in surface_writer.h for the
    // drawing code of the surface.
    class Writer;

private:
    friend class Writer;

    // Runs a drawing step on the current layer. bounds may over-estimate what
    // the step touches; it is clipped to the surface.
    template <typename Draw> void draw(const QRect &bounds, Draw &&step);
    // A closed curved shape built by make(box, corner growth): outlined with
    // the pen and filled when it fills.
    template <typename Make> void closedShape(const QRect &box, const Pen &pen, Make make);
    void replaceImage(QImage image);
    // Clears the image to the background colour where it is, with no
    // picture, when nothing but the surface's own picture reads it; false
    // when something else does.
    bool clearInPlace();
    // Gives the image a buffer of its own before it is written, when it still
    // shares one with a copy handed out.
    void ensureOwnImage();
    // Before the image is written within area: a buffer of its own, and the
    // old tiles saved for the held pictures. False when the memory for either
    // cannot be had; nothing may be written then.
    bool prepareWrite(const QRect &area);
    // The image's pixels within area, in place.
    QImage imageIn(const QRect &area) const;
    // Writes pixels computed on a copy of the current layer back into it.
    void writeBack(const QImage &pixels, const QRect &area);

    QImage m_image;
    std::shared_ptr<TileJournal> m_journal;
    // The background picture: an opaque one is held like an undo picture,
    // one with transparency is kept to be drawn over the background colour.
    TiledPicture m_heldPicture;
    QImage m_picture;
    ScreenPatch m_patch;
    Colour m_backColour;
    int m_drawWidth = 1;
    int m_drawStyle = 0;
    bool m_autoRedraw = true;
    QFont m_font;
    StretchMode m_stretchMode = StretchMode::Default;
};
