// Lengths between the core's twips and the window system's pixels.
#pragma once

#include <cmath>

namespace win32_host {

// Whole pixels, to the nearest one.
inline int pixels_from_twips(float twips, float twips_per_pixel) {
    return static_cast<int>(std::lround(twips / twips_per_pixel));
}

inline float twips_from_pixels(int pixels, float twips_per_pixel) {
    return static_cast<float>(pixels) * twips_per_pixel;
}

}  // namespace win32_host
