#pragma once

#include "surface.h"

#include <algorithm>

// Writes pixels into a surface's current layer, clipped to a rectangle: the
// persistent image directly, or the screen patch tile by tile.
class Surface::Writer
{
public:
    Writer(Surface &surface, const QRect &clip)
        : m_surface(surface), m_clip(clip & surface.rect()), m_persistent(surface.m_autoRedraw)
    {
        if (m_persistent) {
            surface.ensureOwnImage();
            m_bits = surface.m_image.bits();
            m_bytesPerLine = surface.m_image.bytesPerLine();
        }
    }

    const QRect &clip() const { return m_clip; }

    void span(int y, int left, int right, QRgb rgb)
    {
        if (y < m_clip.top() || y > m_clip.bottom())
            return;
        left = std::max(left, m_clip.left());
        right = std::min(right, m_clip.right());
        if (m_persistent) {
            if (left <= right)
                std::fill(row(y) + left, row(y) + right + 1, rgb);
            return;
        }
        while (left <= right) {
            const int tileEnd = (left | (ScreenPatch::TileSize - 1));
            const int end = std::min(right, tileEnd);
            std::fill_n(m_surface.m_patch.pixel(left, y, m_surface.m_image), end - left + 1, rgb);
            left = end + 1;
        }
    }

    void plot(int x, int y, QRgb rgb)
    {
        if (!m_clip.contains(x, y))
            return;
        if (m_persistent)
            row(y)[x] = rgb;
        else
            *m_surface.m_patch.pixel(x, y, m_surface.m_image) = rgb;
    }

    // Copies count pixels into row y from x on.
    void copyRow(int y, int x, const QRgb *pixels, int count)
    {
        if (y < m_clip.top() || y > m_clip.bottom())
            return;
        int left = std::max(x, m_clip.left());
        const int right = std::min(x + count - 1, m_clip.right());
        if (m_persistent) {
            if (left <= right)
                std::copy(pixels + (left - x), pixels + (right - x) + 1, row(y) + left);
            return;
        }
        while (left <= right) {
            const int end = std::min(right, left | (ScreenPatch::TileSize - 1));
            std::copy(pixels + (left - x), pixels + (end - x) + 1,
                      m_surface.m_patch.pixel(left, y, m_surface.m_image));
            left = end + 1;
        }
    }

private:
    QRgb *row(int y)
    {
        return reinterpret_cast<QRgb *>(m_bits + static_cast<qsizetype>(y) * m_bytesPerLine);
    }

    Surface &m_surface;
    QRect m_clip;
    bool m_persistent;
    uchar *m_bits = nullptr;
    qsizetype m_bytesPerLine = 0;
};

template <typename Draw> void Surface::draw(const QRect &bounds, Draw &&step)
{
    const QRect area = bounds & rect();
    if (area.isEmpty())
        return;
    if (m_autoRedraw) {
        // A step whose old pixels cannot be kept for the held pictures is
        // not drawn: the picture and its undo stay as they were.
        if (!prepareWrite(area))
            return;
        // Drawing into the image repaints the canvas from it, which wipes any
        // preview still on the screen.
        const QRect wiped = m_patch.bounds();
        m_patch.clear();
        Writer writer(*this, area);
        step(writer);
        emit imageChanged(area);
        emit screenChanged(area | wiped);
    } else {
        Writer writer(*this, area);
        step(writer);
        emit screenChanged(area);
    }
}
