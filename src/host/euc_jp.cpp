// EUC-JP decoding: the bytes are cut into characters here, so both platforms agree on every
// byte, and runs of the characters their converters map alike go to the platform's converter.
#include "host/euc_jp.h"

#include <span>

#include "host/euc_jp_bytes.h"
#include "host/euc_jp_converter.h"

namespace host {
namespace {

// Runs are cut at about this size, so a converter that rejects a run whole and retries it a
// character at a time redoes little.
constexpr std::size_t run_bytes = 64 * 1024;

// Every character gives one unit, so the text is allocated once, at its final size.
std::size_t units_of(std::string_view bytes) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < bytes.size(); at += euc_jp::character_at(bytes, at).length)
        ++units;
    return units;
}

}  // namespace

std::u16string decode_euc_jp(std::string_view bytes) {
    std::u16string out(units_of(bytes), u'\0');
    EucJpConverter converter;
    std::size_t written = 0;
    std::size_t run_start = 0;
    std::size_t run_units = 0;
    std::size_t at = 0;
    const auto flush = [&] {
        if (run_units == 0)
            return;
        converter.convert(bytes.substr(run_start, at - run_start),
                          std::span(out).subspan(written, run_units));
        written += run_units;
        run_units = 0;
    };
    while (at < bytes.size()) {
        const euc_jp::Character character = euc_jp::character_at(bytes, at);
        if (!euc_jp::is_for_converter(character.kind)) {
            flush();
            out[written++] = u'\uFFFD';
            at += character.length;
            continue;
        }
        if (run_units == 0)
            run_start = at;
        ++run_units;
        at += character.length;
        if (at - run_start >= run_bytes)
            flush();
    }
    flush();
    return out;
}

}  // namespace host
