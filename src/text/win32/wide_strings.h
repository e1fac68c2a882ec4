// The program's UTF-16 text at the Windows API boundary, where the same units are spelt wchar_t.
#pragma once

#include <string>
#include <string_view>

namespace text {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t holds UTF-16 units");

inline const wchar_t* wide_data(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

// Null-terminated, for API calls that take a string.
inline const wchar_t* wide_c_str(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::wstring wstring_from_u16(std::u16string_view text) {
    return {wide_data(text), text.size()};
}

inline std::u16string u16_from_wstring(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// Up to the first NUL of a buffer the API filled in.
inline std::u16string u16_from_wide_buffer(const wchar_t* buffer) {
    return u16_from_wstring(std::wstring_view(buffer));
}

}  // namespace text
