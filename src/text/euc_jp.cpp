// EUC-JP decoding: the bytes are cut into characters here, so both platforms agree on every
// byte, and runs of the characters their converters map alike go to the platform's converter.
#include "text/euc_jp.h"

#include <algorithm>
#include <span>

#include "text/ascii_blocks.h"
#include "text/euc_jp_bytes.h"
#include "text/platform_converters.h"

namespace text {
namespace {

// Every character gives one unit, and in well-formed text without JIS X 0212 every byte from
// 0x80 up is one of a pair: counting them gives the text's exact length, so it is allocated
// once. Ill-formed bytes can need more.
std::size_t units_estimate(std::string_view bytes) {
    return bytes.size() - ascii_blocks::high_byte_count(bytes) / 2;
}

}  // namespace

std::u16string decode_euc_jp(std::string_view bytes) {
    std::u16string out(units_estimate(bytes), u'\0');
    EucJpConverter converter;
    std::size_t written = 0;
    std::size_t run_start = 0;
    std::size_t run_units = 0;
    std::size_t at = 0;
    // Past the estimate by half again each time, and never past one unit for each byte.
    const auto make_room = [&](std::size_t units) {
        if (out.size() - written < units)
            out.resize(std::min(bytes.size(), std::max(written + units, out.size() * 3 / 2)));
    };
    const auto flush = [&] {
        if (run_units == 0)
            return;
        make_room(run_units);
        converter.convert(bytes.substr(run_start, at - run_start),
                          std::span(out).subspan(written, run_units));
        written += run_units;
        run_units = 0;
    };
    while (at < bytes.size()) {
        const euc_jp::Character character = euc_jp::character_at(bytes, at);
        if (!euc_jp::is_for_converter(character.kind)) {
            flush();
            make_room(1);
            out[written++] = u'\uFFFD';
            at += character.length;
            continue;
        }
        if (run_units == 0)
            run_start = at;
        ++run_units;
        at += character.length;
        if (at - run_start >= converter_run_bytes)
            flush();
    }
    flush();
    out.resize(written);
    return out;
}

}  // namespace text
