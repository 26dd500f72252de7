#pragma once

// The amounts the filter commands keep from one run to the next.
struct FilterAmounts {
    // The factor of the last accepted sharpen answer, used again by "更多锐化".
    float sharpenFactor = 0.0f;
};
