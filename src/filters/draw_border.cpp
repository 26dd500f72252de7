#include "image_tools.h"

#include "core/raster.h"
#include "core/surface.h"

#include <QImage>

#include <algorithm>
#include <vector>

namespace {

using Pixel = QRgb;

// Ring i of a w x h picture: the box with corners (i - 1, i - 1) and
// (w - i, h - i), both included, whichever corner is the smaller once the
// rings have crossed over.
QRect ringBox(int i, int w, int h)
{
    return QRect(QPoint(std::min(i - 1, w - i), std::min(i - 1, h - i)),
                 QPoint(std::max(i - 1, w - i), std::max(i - 1, h - i)));
}

// The outermost depth pixels of every side.
void fillFrame(QImage &image, int depth, Pixel rgb)
{
    const int w = image.width();
    const int h = image.height();
    const int inner = std::min(depth, w);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<Pixel *>(image.scanLine(y));
        if (y < depth || y >= h - depth) {
            std::fill(row, row + w, rgb);
        } else {
            std::fill(row, row + inner, rgb);
            std::fill(row + std::max(w - depth, 0), row + w, rgb);
        }
    }
}

// A one-pixel dashed pen walks a box outline clockwise from its top-left
// corner and draws step k when pattern[k % period] is set.
class DashedPen
{
public:
    DashedPen(QImage &image, int style, Pixel rgb) : m_image(image), m_rgb(rgb)
    {
        const int period = raster::dashPeriod(style);
        for (int k = 0; k < period; ++k)
            m_pattern.push_back(raster::dashOn(style, k) ? 1 : 0);
    }

    // The part of box's outline in rows [top, end), visiting only the pixels
    // inside the image.
    void outline(const QRect &box, int top, int end)
    {
        const int w = box.width();
        const int h = box.height();
        const int l = box.left(), t = box.top(), r = box.right(), b = box.bottom();
        const int right = std::min(r, m_image.width() - 1);
        const int left = std::max(l, 0);
        const int below = std::min({b - 1, m_image.height() - 1, end - 1});
        const int above = std::max({t + 1, 0, top});
        const auto inRows = [&](int y) {
            return y >= top && y < end;
        };
        if (inRows(t))
            run(QPoint(left, t), 1, 0, right - left + 1, left - l);
        if (h == 1)
            return;
        // The sides' steps count from where they begin, t + 1 and b - 1.
        if (columnInside(r))
            run(QPoint(r, above), 0, 1, below - above + 1, w - 1 + above - t);
        if (inRows(b))
            run(QPoint(right, b), -1, 0, right - left + 1, w + h - 2 + r - right);
        // A box one pixel wide has no left side of its own: its right side
        // already went down that column.
        if (w > 1 && columnInside(l))
            run(QPoint(l, below), 0, -1, below - above + 1, 2 * w + h - 3 + b - below);
    }

private:
    bool columnInside(int x) const { return x >= 0 && x < m_image.width(); }

    // count pixels from start on, a step (dx, dy) apart; the first is step
    // number first of the walk.
    void run(QPoint start, int dx, int dy, int count, int first)
    {
        if (count <= 0)
            return;
        const auto period = static_cast<int>(m_pattern.size());
        const qsizetype stride = dy * (m_image.bytesPerLine() / qsizetype(sizeof(Pixel))) + dx;
        Pixel *p = reinterpret_cast<Pixel *>(m_image.scanLine(start.y())) + start.x();
        int phase = first % period;
        for (int k = 0; k < count; ++k, p += stride) {
            if (m_pattern[static_cast<std::size_t>(phase)])
                *p = m_rgb;
            if (++phase == period)
                phase = 0;
        }
    }

    QImage &m_image;
    Pixel m_rgb;
    std::vector<char> m_pattern;
};

bool drawRings(Surface &surface, int n, Colour colour)
{
    const int w = surface.width();
    const int h = surface.height();
    const Pixel rgb = toQRgb(colour);
    const int style = surface.drawStyle();
    if (surface.drawWidth() == 1 && raster::dashPeriod(style) > 1) {
        // Dashes leave gaps that rings drawn after the crossing-over may
        // fill, so every ring that reaches the picture counts. Ring 0 runs
        // just outside, and so do all four sides of every ring past max(w, h).
        const int last = std::min(n, std::max(w, h));
        // Every ring sets pixels to the one colour, so the order does not
        // matter: a few rows of every ring at a time keep a wide border's
        // column walks within memory the processor has mapped at hand.
        constexpr int RowsAtATime = 32;
        return surface.editPixels([&](QImage &image) {
            DashedPen pen(image, style, rgb);
            for (int top = 0; top < h; top += RowsAtATime) {
                for (int i = 1; i <= last; ++i)
                    pen.outline(ringBox(i, w, h), top, std::min(top + RowsAtATime, h));
            }
            return true;
        });
    }
    // A solid pen covers at least its one-pixel ring, and rings 1..n of those
    // are the outermost n pixels of every side; so those are filled at once,
    // and the canvas is full once n reaches half the smaller side. Every
    // pixel inside ring n is nearer to it than to any outer ring, so none of
    // their wider pens reaches further in than ring n's.
    const int full = (std::min(w, h) + 1) / 2;
    const int depth = std::min(n, full);
    if (depth > 0 && !surface.editPixels([&](QImage &image) {
            fillFrame(image, depth, rgb);
            return true;
        }))
        return false;
    if (depth < full)
        surface.line(QPointF(n - 1, n - 1), QPointF(w - n, h - n), colour, Surface::LineForm::Box);
    return true;
}

} // namespace

bool DrawBorder(Surface &surface, int width, Colour colour)
{
    const bool drawn = width < 0 || drawRings(surface, width, colour);
    surface.refresh();
    return drawn;
}
