// EUC-JP through glibc iconv's "EUC-JP", which maps JIS X 0208 as its standard does (U+301C
// for the wave dash), as Windows' code page 20932 does.
#include <cerrno>

#include "core/host/host_error.h"
#include "text/euc_jp_bytes.h"
#include "text/platform_converters.h"
#include "text/posix/iconv_handle.h"

namespace text {

struct EucJpConverter::State {
    IconvHandle converter{native_utf16, "EUC-JP", u"EUC-JP"};
};

EucJpConverter::EucJpConverter() : state_(std::make_unique<State>()) {}

EucJpConverter::~EucJpConverter() = default;

void EucJpConverter::convert(std::string_view run, std::span<char16_t> out) {
    const auto failure = [] {
        return host::HostError(u"文字コードを変換できませんでした（EUC-JP）。");
    };
    // iconv's interface takes non-const input pointers but never writes through them.
    char* in = const_cast<char*>(run.data());
    std::size_t in_left = run.size();
    char16_t* written = out.data();
    char16_t* const end = out.data() + out.size();
    while (in_left > 0) {
        char* out_next = reinterpret_cast<char*>(written);
        std::size_t out_left = static_cast<std::size_t>(end - written) * sizeof(char16_t);
        const std::size_t result =
            iconv(state_->converter.get(), &in, &in_left, &out_next, &out_left);
        const int error = errno;
        written = reinterpret_cast<char16_t*>(out_next);
        if (result != static_cast<std::size_t>(-1))
            break;
        // Only a character without a mapping can stop it: the run holds whole characters,
        // each one unit long.
        if (error != EILSEQ || written == end)
            throw failure();
        *written++ = u'\uFFFD';
        const std::size_t length = euc_jp::character_at(run, run.size() - in_left).length;
        in += length;
        in_left -= length;
    }
    if (written != end)
        throw failure();
}

}  // namespace text
