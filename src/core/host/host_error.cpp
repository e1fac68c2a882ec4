// Failures of host operations.
#include "core/host/host_error.h"

namespace host {
namespace {

// UTF-8 for what(), which only logs read; a lone surrogate becomes U+FFFD. Written here because
// the interface depends on nothing else of the program.
std::string utf8_for_log(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool high = c >= 0xD800 && c < 0xDC00;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        constexpr unsigned char lead[] = {0x00, 0xC0, 0xE0, 0xF0};
        out.push_back(static_cast<char>(lead[tail] | (c >> (6 * tail))));
        for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6)
            out.push_back(static_cast<char>(0x80 | ((c >> shift) & 0x3F)));
    }
    return out;
}

}  // namespace

HostError::HostError(std::u16string message)
    : std::runtime_error(utf8_for_log(message)), message_(std::move(message)) {}

DialogCancelled::DialogCancelled() : HostError(u"キャンセルされました。") {}

}  // namespace host
