// Code page 932 decoding with Windows' own converter, MultiByteToWideChar.
#include <windows.h>

#include <cstdint>

#include "core/host/host_error.h"
#include "text/cp932_bytes.h"
#include "text/platform_converters.h"

namespace text {
namespace {

constexpr UINT cp932 = 932;
constexpr char16_t replacement = 0xFFFD;

// Bytes that are no character in Shift_JIS, which Windows' table still maps (to U+0080 and to
// private-use code points): rejected here as iconv rejects them, so a file reads alike on every
// platform.
bool is_unmapped_single_byte(std::uint8_t b) {
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

std::size_t character_length(std::string_view bytes, std::size_t at) {
    return cp932::is_lead_byte(static_cast<std::uint8_t>(bytes[at])) && at + 1 < bytes.size() ? 2
                                                                                              : 1;
}

// Appends the converted run; false, with nothing appended, when any byte of it is rejected.
bool append_strict(std::string_view run, std::u16string& out) {
    const int size = static_cast<int>(run.size());
    const std::size_t old_size = out.size();
    // Never more UTF-16 units than bytes in code page 932.
    out.resize(old_size + run.size());
    const int written =
        MultiByteToWideChar(cp932, MB_ERR_INVALID_CHARS, run.data(), size,
                            reinterpret_cast<wchar_t*>(out.data() + old_size), size);
    if (written > 0) {
        out.resize(old_size + static_cast<std::size_t>(written));
        return true;
    }
    out.resize(old_size);
    if (GetLastError() != ERROR_NO_UNICODE_TRANSLATION) {
        throw host::HostError(u"文字コードを変換できませんでした（CP932）。");
    }
    return false;
}

// Character by character: a rejected character gives U+FFFD for its first byte only, and
// decoding resumes at the byte after it, which may start a character of its own.
void append_lenient(std::string_view run, std::u16string& out) {
    std::size_t at = 0;
    while (at < run.size()) {
        const std::size_t length = character_length(run, at);
        if (!is_unmapped_single_byte(static_cast<std::uint8_t>(run[at])) &&
            append_strict(run.substr(at, length), out)) {
            at += length;
        } else {
            out.push_back(replacement);
            ++at;
        }
    }
}

}  // namespace

std::u16string decode_cp932(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t start = 0;
    while (start < bytes.size()) {
        if (is_unmapped_single_byte(static_cast<std::uint8_t>(bytes[start]))) {
            out.push_back(replacement);
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < bytes.size() && end - start < converter_run_bytes &&
               !is_unmapped_single_byte(static_cast<std::uint8_t>(bytes[end]))) {
            end += character_length(bytes, end);
        }
        const std::string_view run = bytes.substr(start, end - start);
        if (!append_strict(run, out))
            append_lenient(run, out);
        start = end;
    }
    return out;
}

}  // namespace text
