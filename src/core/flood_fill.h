#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>

// Flood fill over one exact colour: every pixel equal to match that is
// connected to start through horizontal and vertical neighbours. Span by span
// with an explicit stack, so a picture of any size fills without recursion.
// image must be Format_RGB32. Each returns the bounding rectangle of the
// pixels it painted (empty when start is outside or not of colour match).
//
// before, when given, is told each span (y, left, right) before it is painted;
// when it returns false the fill stops there.
using SpanGuard = std::function<bool(int y, int left, int right)>;
QRect floodFill(QImage &image, QPoint start, QRgb match, QRgb fill, const SpanGuard &before = {});
// The same, painting pattern tiled from the image's origin.
QRect floodFill(QImage &image, QPoint start, QRgb match, const QImage &pattern,
                const SpanGuard &before = {});
