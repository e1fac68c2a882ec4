// Checks of the reader's decoding on any bytes: each decoder against a plain reference and
// the properties the viewer relies on, the encoding decode_text picks, and the lines.
#pragma once

#include <string>
#include <string_view>

namespace fuzz {

// utf16_from_utf8 and is_valid_utf8 agree with the plain decoder; valid UTF-8 round-trips, and
// utf8_size counts what utf8_from_utf16 makes. (check_utf16 writes any units out as UTF-8.)
void check_utf8(std::string_view bytes);

// The bytes after either byte-order mark of UTF-16: unit for unit, NULs shown, lone surrogates
// and half a unit replaced; the units written out as UTF-8 read back with lone surrogates
// replaced.
void check_utf16(std::string_view bytes);

// decode_text's text for `bytes`: well-formed, no NUL, no more units than bytes, and the text
// of the decoder the documented choice names (byte-order mark, ISO-2022-JP, UTF-8, legacy).
void check_decoded(std::string_view bytes, std::u16string_view text);

// Code page 932's decoder: at most two bytes a unit, bytes below 0x40 one for one and the
// converter back in step after each.
void check_cp932(std::string_view bytes);

// decode_text on the bytes, held to check_decoded, and the choice between EUC-JP and code page
// 932 to its documented rule.
void check_encoding_choice(std::string_view bytes);

// The lines of the bytes taken as units, one a byte (from 0x80 up, the byte in both halves, so
// units past Latin-1 come too), by check_lines.
void check_lines_of_bytes(std::string_view bytes);

// The lines: none holds a terminator, the tally counts what the cursor hands out, and the lines
// joined with CR LF are the text with every terminator made CR LF.
void check_lines(std::u16string_view text);

// Decoded text written out again with each byte-order mark, and as bare UTF-8, decodes to
// itself.
void check_round_trips(std::u16string_view text);

}  // namespace fuzz
