// Font descriptions between points and device pixels.
#include "platform/win32/font_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

#include "platform/win32/unique_handles.h"
#include "text/win32/wide_strings.h"

namespace platform::win32 {
namespace {

constexpr float points_per_inch = 72;

}  // namespace

LONG height_from_points(float points, int dpi) {
    return -static_cast<LONG>(std::lround(points * static_cast<float>(dpi) / points_per_inch));
}

float points_from_height(LONG height, int dpi) {
    return static_cast<float>(std::labs(height)) * points_per_inch / static_cast<float>(dpi);
}

LOGFONTW logfont_from_choice(const host::FontChoice& choice, int dpi) {
    LOGFONTW font{};
    font.lfHeight = choice.size > 0 ? height_from_points(choice.size, dpi) : 0;
    font.lfWeight = choice.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = choice.italic ? TRUE : FALSE;
    // The face decides the script; DEFAULT_CHARSET lets a Japanese face keep its own.
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min(choice.name.size(), std::size(font.lfFaceName) - 1);
    std::copy_n(text::wide_data(choice.name), length, font.lfFaceName);
    font.lfFaceName[length] = L'\0';
    return font;
}

host::FontChoice choice_from_logfont(const LOGFONTW& font, int dpi) {
    return {
        .name = text::u16_from_wide_buffer(font.lfFaceName),
        .bold = font.lfWeight >= FW_SEMIBOLD,
        .italic = font.lfItalic != 0,
        .size = points_from_height(font.lfHeight, dpi),
    };
}

LOGFONTW realized_font(const LOGFONTW& font) {
    LOGFONTW realized = font;
    const UniqueFont handle(CreateFontIndirectW(&font));
    const ScreenDC screen;
    if (!handle || screen.get() == nullptr)
        return realized;
    const HGDIOBJ old = SelectObject(screen.get(), handle.get());
    wchar_t face[LF_FACESIZE] = {};
    if (GetTextFaceW(screen.get(), LF_FACESIZE, face) > 0) {
        std::copy(std::begin(face), std::end(face), realized.lfFaceName);
    }
    const int charset = GetTextCharset(screen.get());
    if (charset != DEFAULT_CHARSET && charset >= 0)
        realized.lfCharSet = static_cast<BYTE>(charset);
    SelectObject(screen.get(), old);
    return realized;
}

}  // namespace platform::win32
