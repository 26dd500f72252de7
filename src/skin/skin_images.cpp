#include "skin_images.h"

#include "core/numbers.h"
#include "skin_colours.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// Every pixel of a w x h image from pixel(x, y).
template <typename Pixel> QImage drawn(int w, int h, Pixel pixel)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = pixel(x, y);
    }
    return image;
}

// a moved toward b by t (0..1).
QRgb mix(QRgb a, QRgb b, double t)
{
    auto channel = [t](int from, int to) {
        return roundToInt(from + (to - from) * t);
    };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)),
                channel(qBlue(a), qBlue(b)));
}

// Position of i along 0..last as 0..1.
double along(int i, int last)
{
    return last <= 0 ? 0.0 : std::clamp(static_cast<double>(i) / last, 0.0, 1.0);
}

// --- Push button frames

struct ButtonFrame {
    QRgb border;
    // Colours of the interior at its top and bottom row, for the columns next
    // to the border and for the middle ones.
    QRgb sideTop, sideBottom;
    QRgb middleTop, middleBottom;
    // Rows (counted inside the frame) over which the middle reaches its bottom
    // colour; below it stays there.
    int middleRamp;
    // The middle keeps its top colour down to this row.
    int middleFlat;
    // Row 1 is white (a highlight under the top border).
    bool highlight;
};

constexpr int ButtonW = 7;
constexpr int ButtonH = 21;

const std::array<ButtonFrame, 4> &buttonFrames()
{
    static const std::array<ButtonFrame, 4> frames{{
        // Normal: glossy white-blue, the outer interior columns lighter.
        {qRgb(27, 143, 213), qRgb(246, 251, 253), qRgb(199, 221, 240), qRgb(241, 248, 252),
         qRgb(177, 208, 234), 19, 2, true},
        // Hover: cyan-blue sides, the middle whitest in its upper third.
        {qRgb(27, 143, 213), qRgb(76, 195, 251), qRgb(76, 195, 251), qRgb(228, 242, 252),
         qRgb(167, 212, 242), 19, 7, false},
        // Pressed: the hover gradient the other way up.
        {qRgb(27, 143, 213), qRgb(58, 185, 249), qRgb(58, 185, 249), qRgb(134, 204, 243),
         qRgb(214, 239, 252), 13, 1, false},
        // Disabled: pale border, near-white fading to pale blue.
        {qRgb(135, 195, 232), qRgb(248, 251, 253), qRgb(210, 227, 243), qRgb(248, 251, 253),
         qRgb(210, 227, 243), 19, 1, false},
    }};
    return frames;
}

QRgb buttonPixel(int x, int y)
{
    const ButtonFrame &f = buttonFrames()[static_cast<std::size_t>(y / ButtonH)];
    const int fy = y % ButtonH;
    const int right = ButtonW - 1, bottom = ButtonH - 1;
    const bool edgeX = x == 0 || x == right;
    const bool edgeY = fy == 0 || fy == bottom;
    if (edgeX || edgeY) {
        // Corners blend toward white, their neighbours a little, so the frame
        // reads as rounded.
        if (edgeX && edgeY)
            return mix(f.border, skin::White, 0.65);
        const bool nearCorner =
            (edgeX && (fy == 1 || fy == bottom - 1)) || (edgeY && (x == 1 || x == right - 1));
        return nearCorner ? mix(f.border, skin::White, 0.25) : f.border;
    }
    if (f.highlight && fy == 1)
        return skin::White;
    const bool side = x == 1 || x == right - 1;
    QRgb colour;
    if (side) {
        colour = mix(f.sideTop, f.sideBottom, along(fy - 1, bottom - 2));
    } else {
        const double t =
            fy <= f.middleFlat ? 0.0 : along(fy - f.middleFlat, f.middleRamp - f.middleFlat);
        colour = mix(f.middleTop, f.middleBottom, t);
    }
    // The inner corners take a little of the border, rounding the inside too.
    const bool innerCorner = side && (fy == 1 || fy == bottom - 1);
    return innerCorner ? mix(colour, f.border, 0.3) : colour;
}

// --- Drop-down button backgrounds and arrows

QRgb comboPixel(int x, int y)
{
    constexpr QRgb Border = qRgb(78, 160, 209);
    constexpr QRgb Light = qRgb(232, 249, 255);
    constexpr QRgb Dark = qRgb(192, 225, 243);
    if (x < 8) {
        const int column = x % 4;
        if (column == 0)
            return Border;
        const bool pressed = x >= 4;
        const double t = along(y, 17);
        QRgb colour = mix(Light, Dark, pressed ? 1.0 - t : t);
        // The middle column, which a wide button stretches, is darker.
        if (column == 2)
            colour = mix(colour, Border, 0.12);
        return colour;
    }
    // A downward triangle 7, 5, 3, 1 pixels wide, enabled above disabled.
    if (y >= 8)
        return skin::Key;
    const int row = y % 4;
    const int ax = x - 8;
    if (ax < row || ax > 6 - row)
        return skin::Key;
    return y < 4 ? qRgb(25, 85, 95) : qRgb(132, 165, 172);
}

// --- Marks

// The tick, 9 wide and 8 high: column x covers three rows from tickTop[x].
constexpr std::array<int, 9> TickTop{2, 3, 4, 5, 4, 3, 2, 1, 0};

struct Greens {
    QRgb top, bottom;
};

constexpr Greens TickEnabled{qRgb(84, 183, 29), qRgb(53, 145, 2)};
constexpr Greens TickDisabled{qRgb(168, 218, 140), qRgb(152, 199, 126)};
constexpr Greens SquareEnabled{qRgb(81, 180, 27), qRgb(57, 150, 6)};
constexpr Greens SquareDisabled{qRgb(170, 219, 144), qRgb(156, 203, 129)};

QRgb markPixel(int x, int y)
{
    const bool disabled = x >= 9;
    const int mx = x % 9;
    if (y < 8) {
        const int top = TickTop[static_cast<std::size_t>(mx)];
        if (y < top || y > top + 2)
            return skin::Key;
        const Greens g = disabled ? TickDisabled : TickEnabled;
        return mix(g.top, g.bottom, along(y, 7));
    }
    const Greens square = disabled ? SquareDisabled : SquareEnabled;
    if (y >= 9 && y <= 15) {
        if (mx < 1 || mx > 7)
            return skin::Key;
        return mix(square.top, square.bottom, along(y - 9, 6));
    }
    if (y >= 18 && y <= 22 && mx >= 2 && mx <= 6) {
        // A 5 x 5 disc without its corners, lighter at the rim.
        const int dx = std::abs(mx - 4), dy = std::abs(y - 20);
        if (dx == 2 && dy == 2)
            return skin::Key;
        const QRgb centre = mix(square.top, square.bottom, 0.7);
        return dx == 2 || dy == 2 ? mix(centre, skin::White, 0.3) : centre;
    }
    return skin::Key;
}

// --- Option circles

// For each row of the 13 x 13 circle, the ring runs from column RingFrom to
// RingTo on the left (mirrored on the right); left of it is outside.
constexpr std::array<int, 13> RingFrom{4, 2, 1, 1, 0, 0, 0, 0, 0, 1, 1, 2, 4};
constexpr std::array<int, 13> RingTo{8, 3, 1, 1, 0, 0, 0, 0, 0, 1, 1, 3, 8};

struct Circle {
    QRgb ringFrom, ringTo;     // upper left to lower right
    QRgb insideFrom, insideTo; // the same
};

const std::array<Circle, 4> &circles()
{
    static const std::array<Circle, 4> all{{
        {qRgb(131, 166, 210), qRgb(186, 204, 228), skin::White, skin::White},
        {qRgb(131, 166, 210), qRgb(186, 204, 228), qRgb(195, 234, 248), qRgb(224, 245, 253)},
        {qRgb(100, 137, 193), qRgb(150, 176, 214), qRgb(160, 214, 240), qRgb(200, 232, 249)},
        {qRgb(193, 210, 232), qRgb(193, 210, 232), skin::White, skin::White},
    }};
    return all;
}

QRgb optionPixel(int x, int y)
{
    const Circle &c = circles()[static_cast<std::size_t>(y / 13)];
    const int cy = y % 13;
    const int from = RingFrom[static_cast<std::size_t>(cy)];
    const int to = RingTo[static_cast<std::size_t>(cy)];
    const int mirrored = std::min(x, 12 - x);
    if (mirrored < from)
        return skin::Key;
    // Shaded from the ring's upper left, (1, 2) and (2, 1), to its lower right.
    const double t = along(x + cy - 3, 18);
    if (mirrored <= to)
        return mix(c.ringFrom, c.ringTo, t);
    return mix(c.insideFrom, c.insideTo, t);
}

// --- Header item frames

QRgb headerPixel(int x, int y)
{
    if (y == 19)
        return qRgb(192, 218, 242);
    constexpr QRgb HotLeft = qRgb(94, 194, 250);
    constexpr QRgb HotRight = qRgb(75, 162, 219);
    const double t = along(y, 18);
    switch (x) {
    case 0:
    case 1:
        return mix(qRgb(234, 245, 254), qRgb(211, 229, 246), t);
    case 2: {
        // The separator between items: dark in the middle rows.
        const QRgb base = mix(qRgb(234, 245, 254), qRgb(211, 229, 246), t);
        constexpr QRgb Separator = qRgb(122, 176, 217);
        if (y >= 4 && y <= 15)
            return Separator;
        return y == 3 || y == 16 ? mix(base, Separator, 0.5) : base;
    }
    case 4:
        return mix(qRgb(226, 243, 253), qRgb(180, 222, 248), t);
    case 7:
        return mix(qRgb(151, 215, 251), qRgb(200, 242, 255), t);
    case 3:
    case 6:
        return HotLeft;
    default:
        return HotRight;
    }
}

} // namespace

SkinImages SkinImages::build()
{
    return {drawn(ButtonW, 4 * ButtonH, buttonPixel), drawn(15, 18, comboPixel),
            drawn(18, 24, markPixel), drawn(13, 52, optionPixel), drawn(9, 20, headerPixel)};
}
