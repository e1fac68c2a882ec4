// Lengths between the core's twips and the window system's pixels: one set of conversions for
// the core and every platform layer, so that a length read from a window and placed back lands
// on the pixel it came from.
#pragma once

namespace geometry {

inline constexpr float twips_per_inch = 1440;

// 15 at 96 dpi; a fraction at 168 or 216 dpi.
float twips_per_pixel(float dots_per_inch);

// Int() of the quotient, as the core places windows: rounded toward minus infinity and clamped
// to the 32-bit range, so an absurd geometry cannot overflow; NaN gives 0.
int pixels_from_twips(float twips, float twips_per_pixel);

// To the nearest whole pixel, halves away from zero: how a layer sizes a window or a control
// from twips. Clamped to the 32-bit range like pixels_from_twips; NaN gives 0.
int nearest_pixels_from_twips(float twips, float twips_per_pixel);

// The twips of a length in pixels. For a whole number of pixels the result divides back to
// exactly that number under both conversions above, at every DPI.
float twips_from_pixels(double pixels, float twips_per_pixel);

}  // namespace geometry
