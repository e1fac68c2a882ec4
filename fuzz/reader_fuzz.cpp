// libFuzzer target for the text reader: any bytes go through the real file read, decoding and
// line cursor, and every property the viewer relies on is checked, not only the absence of a crash.
// Each legacy Japanese decoder also sees every input, whatever encoding the reader picks.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/host/host_error.h"
#include "core/viewer/open_command.h"
#include "fuzz_check.h"
#include "japanese_checks.h"
#include "text/euc_jp.h"
#include "text/iso2022_jp.h"
#include "text/legacy_encoding.h"
#include "text/platform_converters.h"
#include "text/text_decoding.h"
#include "text/text_file_reader.h"
#include "text/text_lines.h"
#include "text/utf.h"

namespace {

using fuzz::check;

constexpr char16_t replacement = 0xFFFD;
constexpr char16_t symbol_for_nul = 0x2400;

bool is_high(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool is_low(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

bool is_well_formed_utf16(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (is_high(text[i])) {
            if (i + 1 >= text.size() || !is_low(text[i + 1]))
                return false;
            ++i;
        } else if (is_low(text[i])) {
            return false;
        }
    }
    return true;
}

void append_code_point(std::u16string& out, char32_t code) {
    if (code >= 0x10000) {
        out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(code));
    }
}

// A deliberately plain UTF-8 decoder, one byte at a time straight from the table of
// well-formed sequences, to hold the fast decoder's block and three-byte shortcuts against.
// One U+FFFD per maximal ill-formed subpart; `valid` tells whether any was needed.
std::u16string plain_utf8_decode(std::string_view bytes, bool& valid) {
    std::u16string out;
    valid = true;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        std::size_t trail = 0;
        char32_t code = 0;
        std::uint8_t first_low = 0x80;
        std::uint8_t first_high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2;
            code = lead & 0x0F;
            first_low = lead == 0xE0 ? 0xA0 : 0x80;
            first_high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3;
            code = lead & 0x07;
            first_low = lead == 0xF0 ? 0x90 : 0x80;
            first_high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            out.push_back(replacement);
            valid = false;
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        std::size_t taken = 0;
        while (taken < trail && j < bytes.size()) {
            const auto b = static_cast<std::uint8_t>(bytes[j]);
            const std::uint8_t low = taken == 0 ? first_low : 0x80;
            const std::uint8_t high = taken == 0 ? first_high : 0xBF;
            if (b < low || b > high)
                break;
            code = (code << 6) | (b & 0x3Fu);
            ++j;
            ++taken;
        }
        if (taken < trail) {
            out.push_back(replacement);
            valid = false;
        } else {
            append_code_point(out, code);
        }
        i = j;
    }
    return out;
}

std::u16string with_nuls_shown(std::u16string text) {
    for (char16_t& u : text) {
        if (u == 0)
            u = symbol_for_nul;
    }
    return text;
}

// Every terminator (CR LF, LF, lone CR) as CR LF, and one after a last line that lacks it:
// what the open command must build from the lines.
std::u16string crlf_normalised(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            out += u"\r\n";
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (text[i] == u'\n') {
            out += u"\r\n";
        } else {
            out.push_back(text[i]);
        }
    }
    if (!text.empty() && text.back() != u'\r' && text.back() != u'\n')
        out += u"\r\n";
    return out;
}

std::string utf16_bytes(std::u16string_view text, bool little_endian) {
    std::string out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t u : text) {
        const auto low = static_cast<char>(u & 0xFF);
        const auto high = static_cast<char>(u >> 8);
        out.push_back(little_endian ? low : high);
        out.push_back(little_endian ? high : low);
    }
    return out;
}

// The input as an anonymous in-memory file, so the reader takes the same path as on disk:
// open, fstat, read, decode.
class MemoryFile {
  public:
    explicit MemoryFile(std::string_view bytes) : fd_(::memfd_create("reader_fuzz", MFD_CLOEXEC)) {
        check(fd_ >= 0, "memfd_create");
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t count = ::write(fd_, bytes.data() + written, bytes.size() - written);
            check(count > 0, "write to memfd");
            written += static_cast<std::size_t>(count);
        }
    }
    ~MemoryFile() { ::close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::u16string path() const {
        const std::string name = "/proc/self/fd/" + std::to_string(fd_);
        return {name.begin(), name.end()};
    }

  private:
    int fd_;
};

// Decoded text: no NUL, no lone surrogate, and a length the encoding explains.
void check_decoded(std::string_view bytes, std::u16string_view text) {
    check(is_well_formed_utf16(text), "decoded text is well-formed UTF-16");
    check(text.find(u'\0') == std::u16string_view::npos, "no NUL survives decoding");
    // No byte yields more than one unit, and a byte-order mark none: a four-byte UTF-8
    // sequence gives two, a UTF-16 unit takes two bytes (half a unit left over gives one
    // U+FFFD), a CP932 pair gives one, and each U+FFFD stands for a byte or more.
    std::size_t mark = 0;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        mark = 3;
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        mark = 2;
    check(text.size() <= bytes.size() - mark, "at most one unit per input byte");

    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        const bool little = bytes[0] == '\xFF';
        const std::string_view body = bytes.substr(2);
        check(text.size() == (body.size() + 1) / 2,
              "UTF-16: one unit per two bytes, odd rounds up");
        // Unit by unit: the same value, except NULs, lone surrogates and half a unit.
        for (std::size_t i = 0; i < body.size() / 2; ++i) {
            const auto first = static_cast<std::uint8_t>(body[2 * i]);
            const auto second = static_cast<std::uint8_t>(body[2 * i + 1]);
            const auto unit =
                static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
            if (unit == 0) {
                check(text[i] == symbol_for_nul, "UTF-16: NUL shown as a symbol");
            } else if (is_high(unit) || is_low(unit)) {
                check(text[i] == unit || text[i] == replacement,
                      "UTF-16: surrogate kept or replaced");
            } else {
                check(text[i] == unit, "UTF-16: unit kept");
            }
        }
        if (body.size() % 2 != 0)
            check(text.back() == replacement, "UTF-16: half a unit replaced");
        // Well-formed input without NULs comes back byte for byte.
        if (body.size() % 2 == 0 && text.find(replacement) == std::u16string_view::npos &&
            text.find(symbol_for_nul) == std::u16string_view::npos) {
            check(utf16_bytes(text, little) == bytes, "UTF-16 with a BOM round-trips");
        }
        return;
    }

    bool valid = false;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        const std::u16string expected = plain_utf8_decode(bytes.substr(3), valid);
        check(text == with_nuls_shown(expected), "UTF-8 after a BOM matches the plain decoder");
        return;
    }

    const std::u16string expected = plain_utf8_decode(bytes, valid);
    check(text::is_valid_utf8(bytes) == valid, "UTF-8 validity agrees with the plain decoder");
    check(text::utf16_from_utf8(bytes) == expected, "lenient UTF-8 matches the plain decoder");
    if (valid && text::is_iso2022_jp(bytes)) {
        check(expected.size() == bytes.size(), "ISO-2022-JP is taken for 7-bit text only");
        check(text == with_nuls_shown(text::decode_iso2022_jp(bytes)),
              "7-bit text with JIS escapes is read as ISO-2022-JP");
        return;
    }
    if (valid) {
        check(text == with_nuls_shown(expected), "valid UTF-8 is read as UTF-8");
        check(text::utf8_from_utf16(expected) == bytes, "valid UTF-8 round-trips");
        return;
    }

    if (text::pick_legacy_encoding(bytes) == text::LegacyEncoding::euc_jp) {
        check(text == with_nuls_shown(text::decode_euc_jp(bytes)), "EUC-JP is read as EUC-JP");
        return;
    }
    check(text == with_nuls_shown(text::decode_cp932(bytes)), "CP932 is read as CP932");
}

// Code page 932's decoder, whichever encoding the bytes are read in.
void check_cp932(std::string_view bytes) {
    const std::u16string text = with_nuls_shown(text::decode_cp932(bytes));
    // Every unit takes one or two bytes.
    check(2 * text.size() >= bytes.size(), "CP932: at most two bytes per unit");
    // Bytes below 0x40 are never part of a pair, and no pair decodes below U+0040: they come
    // through one for one and in order, line ends included, whatever surrounds them.
    std::u16string low_bytes;
    for (const char b : bytes) {
        if (static_cast<std::uint8_t>(b) < 0x40)
            low_bytes.push_back(b == '\0' ? symbol_for_nul : static_cast<char16_t>(b));
    }
    std::u16string low_units;
    for (const char16_t u : text) {
        if (u < 0x40 || u == symbol_for_nul)
            low_units.push_back(u);
    }
    check(low_units == low_bytes, "CP932: bytes below 0x40 come through one for one");
    // A byte below 0x40 is never a trail byte, so the converter is back in step after it:
    // cutting the input just past such a byte must not change the result.
    std::size_t cut = bytes.size();
    while (cut > 0 && static_cast<std::uint8_t>(bytes[cut - 1]) >= 0x40)
        --cut;
    if (cut > 0) {
        const std::u16string joined =
            text::decode_cp932(bytes.substr(0, cut)) + text::decode_cp932(bytes.substr(cut));
        check(text == with_nuls_shown(joined), "CP932 resumes in step after a byte below 0x40");
    }
}

// The lines: none holds a terminator, the tally counts what the cursor hands out, and the
// lines with CR LF after each are the text with every terminator made CR LF.
void check_lines(std::u16string_view text) {
    const text::LineTally tally = text::tally_lines(text);
    text::LineCursor cursor(text);
    std::size_t lines = 0;
    std::size_t units = 0;
    std::u16string joined;
    while (!cursor.at_end()) {
        const std::u16string_view line = cursor.next_line();
        check(line.find_first_of(u"\r\n") == std::u16string_view::npos, "no CR or LF in a line");
        check(line.data() >= text.data() && line.data() + line.size() <= text.data() + text.size(),
              "a line is a view into the text");
        ++lines;
        units += line.size();
        joined += line;
        joined += u"\r\n";
        check(lines <= text.size(), "the cursor ends");
    }
    check(tally.lines == lines, "tally counts the cursor's lines");
    check(tally.units == units, "tally counts the cursor's units");
    check(joined == crlf_normalised(text), "lines joined with CR LF equal the normalised text");
}

// The whole reader on a real descriptor agrees with decoding plus the cursor.
void check_reader(std::string_view bytes, std::u16string_view text) {
    const MemoryFile file(bytes);
    try {
        text::TextFileReader reader(file.path());
        const std::size_t announced = reader.crlf_text_size();
        const std::u16string crlf = viewer::read_crlf_text(reader);
        check(crlf.size() == announced, "crlf_text_size is the size of the CR LF text");
        check(reader.crlf_text_size() == 0 && reader.at_end(), "the reader is used up");
        check(crlf == crlf_normalised(text), "the reader's CR LF text is the normalised text");
    } catch (const host::HostError&) {
        check(false, "an in-memory file is always readable");
    }
}

// Decoded text written out again in each encoding with a byte-order mark, and as bare UTF-8,
// decodes to itself.
void check_round_trips(std::u16string_view text) {
    check(text::decode_text(utf16_bytes(text, true)) == text, "UTF-16 LE round trip");
    check(text::decode_text(utf16_bytes(text, false)) == text, "UTF-16 BE round trip");
    const std::string utf8 = text::utf8_from_utf16(text);
    check(text::decode_text("\xEF\xBB\xBF" + utf8) == text, "UTF-8 with a BOM round trip");
    check(text::utf16_from_utf8(utf8) == text, "UTF-8 conversion round trip");
    // A leading U+FEFF would be read back as a byte-order mark, and JIS escapes in 7-bit text
    // as ISO-2022-JP.
    if (!text.starts_with(u'\uFEFF') && !text::is_iso2022_jp(utf8))
        check(text::decode_text(utf8) == text, "bare UTF-8 round trip");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = text::decode_text(bytes);
    check_decoded(bytes, text);
    // Each legacy decoder on every input, whichever the bytes are read as.
    check_cp932(bytes);
    fuzz::check_euc_jp(bytes);
    fuzz::check_iso2022_jp(bytes);
    fuzz::check_legacy_choice(bytes);
    check_lines(text);
    check_reader(bytes, text);
    check_round_trips(text);
    return 0;
}
