// Code page 932 decoding with glibc iconv, whose "CP932" table matches Windows (wave dash,
// NEC and IBM extensions) where "SHIFT_JIS" does not.
#include "text/platform_converters.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "core/host/host_error.h"
#include "text/cp932_bytes.h"
#include "text/posix/iconv_handle.h"

namespace text {
namespace {

// Exact for well-formed text, where each character is one UTF-16 unit, so the text is
// allocated once at its final size; rejected bytes can need a little more. Bytes in the lead
// byte range pair up from the start of each run of them, so no branches are needed: a pair
// starts at every odd position of such a run.
std::size_t utf16_length_estimate(std::string_view bytes) {
    std::size_t pairs = 0;
    unsigned odd = 0;
    for (const char c : bytes) {
        odd = (odd ^ 1u) & static_cast<unsigned>(cp932::is_lead_byte(static_cast<std::uint8_t>(c)));
        pairs += odd;
    }
    return bytes.size() - pairs;
}

}  // namespace

std::u16string decode_cp932(std::string_view bytes) {
    const IconvHandle converter(native_utf16, "CP932", u"CP932");
    std::u16string out(utf16_length_estimate(bytes), u'\0');
    const auto grow = [&out] { out.resize(out.size() + out.size() / 2 + 16); };
    std::size_t written = 0;
    // iconv's interface takes non-const input pointers but never writes through them.
    char* in = const_cast<char*>(bytes.data());
    std::size_t in_left = bytes.size();
    while (in_left > 0) {
        if (written == out.size())
            grow();
        char* const out_start = reinterpret_cast<char*>(out.data() + written);
        char* out_next = out_start;
        std::size_t out_left = (out.size() - written) * sizeof(char16_t);
        const std::size_t result = iconv(converter.get(), &in, &in_left, &out_next, &out_left);
        const int error = errno;
        written += static_cast<std::size_t>(out_next - out_start) / sizeof(char16_t);
        if (result != static_cast<std::size_t>(-1))
            continue;
        if (error == E2BIG) {
            grow();
        } else if (error == EILSEQ || error == EINVAL) {
            // Rejected or cut short: one U+FFFD, then try again from the next byte.
            if (written == out.size())
                grow();
            out[written++] = u'\uFFFD';
            ++in;
            --in_left;
            iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
        } else {
            throw host::HostError(u"文字コードを変換できませんでした（CP932）。");
        }
    }
    out.resize(written);
    return out;
}

}  // namespace text
