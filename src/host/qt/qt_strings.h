// Conversions between the core's types and Qt's: UTF-16 text and twips.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qt_host {

QString qstring_from_u16(std::u16string_view text);
std::u16string u16_from_qstring(const QString& text);

// Whole pixels for a length in twips, to the nearest pixel.
int pixels_from_twips(float twips, float twips_per_pixel);
float twips_from_pixels(double pixels, float twips_per_pixel);

}  // namespace qt_host
