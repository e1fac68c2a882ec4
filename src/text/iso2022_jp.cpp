// ISO-2022-JP: the escape sequences are followed here, and each JIS X 0208 or katakana
// character is handed, as the EUC-JP bytes it stands for, to the same converter as EUC-JP text,
// so both encodings read alike on every platform.
#include "text/iso2022_jp.h"

#include <array>
#include <cstdint>
#include <span>

#include "text/ascii_blocks.h"
#include "text/euc_jp_bytes.h"
#include "text/platform_converters.h"

namespace text {
namespace {

constexpr char escape = '\x1B';

enum class Set { ascii, roman, jis_x0208, katakana };

// The set an escape sequence at the start of `bytes` switches to, and its length; length 0 for
// any other escape.
struct Designation {
    Set set = Set::ascii;
    std::size_t length = 0;
};

Designation designation_at(std::string_view bytes) {
    if (bytes.size() < 3 || bytes[0] != escape)
        return {};
    const std::string_view code = bytes.substr(1, 2);
    if (code == "(B")
        return {Set::ascii, 3};
    if (code == "(J")
        return {Set::roman, 3};
    if (code == "(I")
        return {Set::katakana, 3};
    if (code == "$@" || code == "$B")
        return {Set::jis_x0208, 3};
    return {};
}

bool is_graphic(std::uint8_t b) {
    return b >= 0x21 && b <= 0x7E;
}

// Walks the bytes once, giving each character to `visit`: the EUC-JP bytes of a character for
// the converter, or a unit of its own (U+FFFD, or a character of JIS X 0201 Roman that ASCII
// lacks).
template <class Visitor>
void walk(std::string_view bytes, Visitor& visit) {
    Set set = Set::ascii;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto b = static_cast<std::uint8_t>(bytes[at]);
        if (b == static_cast<std::uint8_t>(escape)) {
            if (const Designation d = designation_at(bytes.substr(at)); d.length != 0) {
                set = d.set;
                at += d.length;
                continue;
            }
        }
        ++at;
        if (b >= 0x80) {
            visit.unit(u'\uFFFD');
        } else if (!is_graphic(b) || set == Set::ascii) {
            visit.euc_jp(static_cast<char>(b));
        } else if (set == Set::roman) {
            if (b == 0x5C)
                visit.unit(u'\u00A5');
            else if (b == 0x7E)
                visit.unit(u'\u203E');
            else
                visit.euc_jp(static_cast<char>(b));
        } else if (set == Set::katakana) {
            if (b <= 0x5F)
                visit.euc_jp('\x8E', static_cast<char>(b | 0x80));
            else
                visit.unit(u'\uFFFD');
        } else if (at < bytes.size() && is_graphic(static_cast<std::uint8_t>(bytes[at]))) {
            visit.euc_jp(static_cast<char>(b | 0x80), static_cast<char>(bytes[at] | 0x80));
            ++at;
        } else {
            visit.unit(u'\uFFFD');  // half a pair
        }
    }
}

// Every character gives one unit, so the text is allocated once, at its final size.
struct UnitCount {
    std::size_t units = 0;
    void euc_jp(char) { ++units; }
    void euc_jp(char, char) { ++units; }
    void unit(char16_t) { ++units; }
};

// Gathers the EUC-JP bytes into runs for the converter, in order with the units of their own.
class Writer {
  public:
    explicit Writer(std::u16string& out) : out_(out) { run_.reserve(converter_run_bytes); }

    void euc_jp(char b) {
        run_.push_back(b);
        added();
    }
    void euc_jp(char lead, char trail) {
        const std::array<char, 2> pair = {lead, trail};
        // Rows 85 to 94 hold no standard characters; EUC-JP text gets U+FFFD for them too.
        const std::string_view character(pair.data(), pair.size());
        if (!euc_jp::is_for_converter(euc_jp::character_at(character, 0).kind)) {
            unit(u'\uFFFD');
            return;
        }
        run_ += character;
        added();
    }
    void unit(char16_t u) {
        flush();
        out_[written_++] = u;
    }
    void flush() {
        if (run_units_ == 0)
            return;
        converter_.convert(run_, std::span(out_).subspan(written_, run_units_));
        written_ += run_units_;
        run_units_ = 0;
        run_.clear();
    }

  private:
    void added() {
        ++run_units_;
        if (run_.size() >= converter_run_bytes)
            flush();
    }

    std::u16string& out_;
    EucJpConverter converter_;
    std::string run_;
    std::size_t run_units_ = 0;
    std::size_t written_ = 0;
};

}  // namespace

bool is_iso2022_jp(std::string_view bytes) {
    bool switches = false;
    for (std::size_t at = bytes.find(escape); at != std::string_view::npos && !switches;
         at = bytes.find(escape, at + 1)) {
        const Designation d = designation_at(bytes.substr(at));
        switches = d.length != 0 && (d.set == Set::jis_x0208 || d.set == Set::katakana);
    }
    if (!switches)
        return false;
    return ascii_blocks::is_ascii(bytes);
}

std::u16string decode_iso2022_jp(std::string_view bytes) {
    UnitCount count;
    walk(bytes, count);
    std::u16string out(count.units, u'\0');
    Writer writer(out);
    walk(bytes, writer);
    writer.flush();
    return out;
}

}  // namespace text
