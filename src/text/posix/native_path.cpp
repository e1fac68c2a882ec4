// Byte file names through UTF-16 and back.
#include "text/posix/native_path.h"

#include "text/utf.h"
#include "text/utf8_decoder.h"

namespace text {
namespace {

constexpr char16_t escaped_bytes_first = 0xDC80;  // the byte 0x80; 0xFF is U+DCFF

bool is_escaped_byte(std::u16string_view path, std::size_t i) {
    const char16_t unit = path[i];
    return unit >= escaped_bytes_first && unit <= 0xDCFF &&
           (i == 0 || !is_high_surrogate(path[i - 1]));
}

}  // namespace

std::u16string path_from_native(std::string_view bytes) {
    std::u16string path;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t code = 0;
        std::size_t subpart = 1;
        const std::size_t length = utf8::sequence(p + i, bytes.size() - i, code, subpart);
        if (length == 0) {
            path.push_back(static_cast<char16_t>(escaped_bytes_first - 0x80 + p[i]));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            path.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            path.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            path.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return path;
}

std::string native_from_path(std::u16string_view path) {
    std::string bytes;
    std::size_t run = 0;  // start of the text not yet converted
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (!is_escaped_byte(path, i))
            continue;
        bytes += utf8_from_utf16(path.substr(run, i - run));
        bytes.push_back(static_cast<char>(path[i] - escaped_bytes_first + 0x80));
        run = i + 1;
    }
    bytes += utf8_from_utf16(path.substr(run));
    return bytes;
}

}  // namespace text
