#pragma once

#include <cstdint>

// The amounts the filter commands keep between their dialogs or prompts and
// the filter runs: the program-wide values of the Filter menu.
struct FilterAmounts {
    // The factor of the last accepted sharpen answer, used again by "更多锐化".
    float SharpenFactor = 0.0f;
    // Confirmed in the brightness dialog.
    std::int16_t BrightnessAmount = 0;
    // Confirmed in the colour balance dialog.
    std::int16_t RedDelta = 0;
    std::int16_t GreenDelta = 0;
    std::int16_t BlueDelta = 0;
};
