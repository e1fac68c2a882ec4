// Text and unit conversions; QString and std::u16string share UTF-16, so no re-encoding.
#include "host/qt/qt_strings.h"

#include <cmath>

namespace qt_host {

QString qstring_from_u16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

std::u16string u16_from_qstring(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

int pixels_from_twips(float twips, float twips_per_pixel) {
    return static_cast<int>(std::lround(twips / twips_per_pixel));
}

float twips_from_pixels(double pixels, float twips_per_pixel) {
    return static_cast<float>(pixels) * twips_per_pixel;
}

}  // namespace qt_host
