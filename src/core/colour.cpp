#include "colour.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

namespace {

int clampChannel(int value)
{
    return std::clamp(value, 0, 255);
}

// The desktop's numbered system colours mapped onto the palette roles that play
// the same part in a Qt style.
QPalette::ColorRole roleOf(unsigned index)
{
    switch (index) {
    case 5: // window background
        return QPalette::Base;
    case 6: // window frame
        return QPalette::Shadow;
    case 8: // window text
        return QPalette::Text;
    case 13: // selection
        return QPalette::Highlight;
    case 14: // selected text
        return QPalette::HighlightedText;
    case 16: // button shadow
        return QPalette::Dark;
    case 17: // disabled text
        return QPalette::Mid;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 21: // dark shadow
        return QPalette::Shadow;
    case 22: // light edge
        return QPalette::Midlight;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    default: // 15 button face and every other surface colour
        return QPalette::Button;
    }
}

} // namespace

Colour rgbColour(int red, int green, int blue)
{
    return static_cast<Colour>(clampChannel(red)) | static_cast<Colour>(clampChannel(green)) << 8 |
           static_cast<Colour>(clampChannel(blue)) << 16;
}

ColourChannels splitColour(Colour colour)
{
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

Colour resolveColour(Colour colour)
{
    if (!isSystemColour(colour))
        return colour & 0x00FFFFFFu;
    const QPalette palette = QGuiApplication::palette();
    const QColor c = palette.color(QPalette::Active, roleOf(colour & 0xFFu));
    return rgbColour(c.red(), c.green(), c.blue());
}

QRgb toQRgb(Colour colour)
{
    const ColourChannels c = splitColour(resolveColour(colour));
    return qRgb(c.red, c.green, c.blue);
}

Colour fromQRgb(QRgb rgb)
{
    return rgbColour(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
