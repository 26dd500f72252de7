#pragma once

#include <QRgb>

#include <cstdint>

// A colour as the document and its commands speak of it: 0x00BBGGRR, red in the
// low byte. 0x80000000 + n names the desktop's system colour n and is resolved
// when drawn; NoColour (all bits set) is what a read outside a surface returns.
using Colour = std::uint32_t;

inline constexpr Colour NoColour = 0xFFFFFFFFu;
inline constexpr Colour SystemColourFlag = 0x80000000u;

// System colours the program draws with.
inline constexpr Colour ButtonFace = SystemColourFlag + 15;
inline constexpr Colour ButtonShadow = SystemColourFlag + 16;
inline constexpr Colour ButtonText = SystemColourFlag + 18;
inline constexpr Colour ButtonHighlight = SystemColourFlag + 20;
inline constexpr Colour WindowBackground = SystemColourFlag + 5;
inline constexpr Colour WindowText = SystemColourFlag + 8;

struct ColourChannels {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const ColourChannels &, const ColourChannels &) = default;
};

// Builds a colour from channels; a channel above 255 counts as 255, below 0 as 0.
Colour rgbColour(int red, int green, int blue);

// The three channels of a plain colour (the low, middle and high byte).
ColourChannels splitColour(Colour colour);

constexpr bool isSystemColour(Colour colour)
{
    return colour != NoColour && (colour & SystemColourFlag) != 0;
}

// The plain colour a value stands for: system colours through the application
// palette, plain colours unchanged (their high byte dropped).
Colour resolveColour(Colour colour);

// Conversions to and from Qt's 0xAARRGGBB, opaque. System colours are resolved.
QRgb toQRgb(Colour colour);
Colour fromQRgb(QRgb rgb);
