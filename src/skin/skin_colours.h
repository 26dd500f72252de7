#pragma once

#include <QRgb>

// The colours the skin draws with besides its images.
namespace skin {

// Transparent wherever a glyph, dot or circle is copied.
inline constexpr QRgb Key = 0xFFFF00FF;
inline constexpr QRgb White = 0xFFFFFFFF;

inline constexpr QRgb FrameEnabled = 0xFF54A5D5;      // RGB(84, 165, 213)
inline constexpr QRgb FrameDisabled = 0xFFA4CFE9;     // RGB(164, 207, 233)
inline constexpr QRgb FramePressedCheck = 0xFF3986C4; // RGB(57, 134, 196)
inline constexpr QRgb ProgressFill = 0xFF4CD6F6;      // RGB(76, 214, 246)
inline constexpr QRgb CaptionDisabled = 0xFF798A96;   // RGB(121, 138, 150)
inline constexpr QRgb Caption = 0xFF000000;

inline constexpr QRgb frameColour(bool enabled)
{
    return enabled ? FrameEnabled : FrameDisabled;
}

} // namespace skin
