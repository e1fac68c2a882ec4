// EUC-JP through Windows' own converter, code page 20932, which maps JIS X 0208 as its
// standard does (U+301C for the wave dash), as iconv's "EUC-JP" does.
#include <windows.h>

#include "core/host/host_error.h"
#include "text/euc_jp_bytes.h"
#include "text/platform_converters.h"

namespace text {
namespace {

constexpr UINT euc_jp_code_page = 20932;

// Converts the whole run into exactly `units` units; false, with nothing kept, when any of
// its characters has no mapping.
bool convert_strict(std::string_view run, char16_t* out, std::size_t units) {
    const int written = MultiByteToWideChar(
        euc_jp_code_page, MB_ERR_INVALID_CHARS, run.data(), static_cast<int>(run.size()),
        reinterpret_cast<wchar_t*>(out), static_cast<int>(units));
    if (written > 0 && static_cast<std::size_t>(written) == units)
        return true;
    if (written == 0 && GetLastError() == ERROR_NO_UNICODE_TRANSLATION)
        return false;
    throw host::HostError(u"文字コードを変換できませんでした（EUC-JP）。");
}

}  // namespace

// Windows keeps no state between calls.
struct EucJpConverter::State {};

EucJpConverter::EucJpConverter() = default;

EucJpConverter::~EucJpConverter() = default;

void EucJpConverter::convert(std::string_view run, std::span<char16_t> out) {
    if (run.empty() || convert_strict(run, out.data(), out.size()))
        return;
    // Some character has no mapping: one at a time, so only that one becomes U+FFFD.
    std::size_t o = 0;
    for (std::size_t at = 0; at < run.size(); ++o) {
        const std::size_t length = euc_jp::character_at(run, at).length;
        if (!convert_strict(run.substr(at, length), &out[o], 1))
            out[o] = u'\uFFFD';
        at += length;
    }
}

}  // namespace text
