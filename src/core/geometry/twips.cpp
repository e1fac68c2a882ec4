// Twips and pixels, with the round trip from pixels exact in single precision.
#include "core/geometry/twips.h"

#include <cmath>
#include <limits>

namespace geometry {
namespace {

// A whole number of pixels as an int: clamped to the 32-bit range, so an absurd geometry cannot
// overflow, and 0 for NaN.
int clamped_pixels(float whole) {
    constexpr float lowest = static_cast<float>(std::numeric_limits<int>::min());
    constexpr float past_highest = -lowest;  // 2^31, exactly representable
    if (std::isnan(whole))
        return 0;
    if (whole < lowest)
        return std::numeric_limits<int>::min();
    if (whole >= past_highest)
        return std::numeric_limits<int>::max();
    return static_cast<int>(whole);
}

}  // namespace

float twips_per_pixel(float dots_per_inch) {
    return twips_per_inch / dots_per_inch;
}

int pixels_from_twips(float twips, float twips_per_pixel) {
    return clamped_pixels(std::floor(twips / twips_per_pixel));
}

int nearest_pixels_from_twips(float twips, float twips_per_pixel) {
    // Halves away from zero, as lround would, but clamped: lround of a value past long's range
    // gives no defined result.
    return clamped_pixels(std::round(twips / twips_per_pixel));
}

float twips_from_pixels(double pixels, float twips_per_pixel) {
    float twips = static_cast<float>(pixels) * twips_per_pixel;
    // At a ratio such as 1440/168 the rounded product can divide back to a hair below the
    // pixel count, which Int() then takes a whole pixel lower: step up to the nearest value
    // that divides back to it. One or two steps suffice; the bound ends it for a count past
    // the int range, which no twips divide back to (NaN never enters the loop).
    const double whole = std::floor(pixels);
    for (int step = 0; step < 4 && pixels_from_twips(twips, twips_per_pixel) < whole; ++step)
        twips = std::nextafter(twips, std::numeric_limits<float>::infinity());
    return twips;
}

}  // namespace geometry
