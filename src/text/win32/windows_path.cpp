// Extended-length paths: the \\?\ prefix turns off the system's parsing, so the path is made
// full first.
#include "text/win32/windows_path.h"

#include <windows.h>

#include "text/win32/wide_strings.h"

namespace text {

std::wstring with_extended_prefix(std::wstring_view full_path) {
    if (full_path.size() < MAX_PATH || full_path.starts_with(LR"(\\?\)") ||
        full_path.starts_with(LR"(\\.\)")) {
        return std::wstring(full_path);
    }
    if (full_path.starts_with(LR"(\\)")) {
        return LR"(\\?\UNC\)" + std::wstring(full_path.substr(2));
    }
    if (full_path.size() >= 3 && full_path[1] == L':' && full_path[2] == L'\\') {
        return LR"(\\?\)" + std::wstring(full_path);
    }
    return std::wstring(full_path);
}

std::wstring full_path_name(std::u16string_view path) {
    const std::wstring given = wstring_from_u16(path);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD needed =
            GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (needed == 0)
            return given;  // let the open report what is wrong with it
        if (needed < full.size()) {
            full.resize(needed);
            return full;
        }
        full.resize(needed);
    }
}

std::wstring extended_length_path(std::u16string_view path) {
    if (path.starts_with(uR"(\\?\)") || path.starts_with(uR"(\\.\)"))
        return wstring_from_u16(path);
    return with_extended_prefix(full_path_name(path));
}

}  // namespace text
