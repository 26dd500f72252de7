#pragma once

#include <QImage>
#include <QMargins>
#include <QRect>

#include <optional>

class QPainter;

// The skin's drawing steps on 32-bit images (RGB32 or premultiplied ARGB32,
// opaque colours). Everything clips to the images.

// Fills the rectangle (right and bottom edges excluded) with colour.
void FillBox(QImage &target, const QRect &box, QRgb colour);

// The one-pixel outline just inside the rectangle.
void FrameBox(QImage &target, const QRect &box, QRgb colour);

// The same outline on a widget's painter, for frames drawn over what a control
// painted itself.
void FrameBox(QPainter &painter, const QRect &box, QRgb colour);

// Copies the w x h block of source at from to box's corner, leaving the target
// as it was wherever the source pixel equals key exactly.
void TransparentCopy(QImage &target, const QRect &box, const QImage &source, QPoint from, QRgb key);

// Draws the part of source onto box, scaled by pixel replication, with the
// margins' corners kept unscaled, the edges stretched along one axis and the
// centre along both. With a key, pixels of that colour leave the target as it
// was. Nothing is drawn when either rectangle is empty.
void DrawNineGrid(QImage &target, const QRect &box, const QImage &source, const QRect &part,
                  const QMargins &margins, std::optional<QRgb> key = std::nullopt);

// A picture composed at one image pixel per screen pixel, put on a painter
// that may have more device pixels per pixel: each image pixel becomes a
// whole block, never a blur.
void DrawLogical(QPainter &painter, QPoint at, const QImage &picture);

// An empty image of size (in screen pixels) for text and pictures on a screen
// of ratio device pixels per pixel.
QImage ScreenImage(QSize size, qreal ratio);
