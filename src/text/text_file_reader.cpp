// Reads a text file whole, keeping only its decoded text, and walks its lines.
#include "text/text_file_reader.h"

#include "text/platform_file_bytes.h"
#include "text/text_decoding.h"

namespace text {

// The raw bytes are a temporary: freed as soon as they are decoded.
TextFileReader::TextFileReader(const std::u16string& path)
    : text_(decode_text(read_file_bytes(path, max_text_file_bytes))), cursor_(text_) {}

bool TextFileReader::at_end() const {
    return cursor_.at_end();
}

std::u16string_view TextFileReader::read_line() {
    if (cursor_.at_end())
        return {};
    return cursor_.next_line();
}

// Counted when asked, which the open command does once, before the first line.
std::size_t TextFileReader::crlf_text_size() const {
    const LineTally tally = tally_lines(cursor_.rest());
    return tally.units + 2 * tally.lines;
}

std::unique_ptr<host::LineReader> TextFileSystem::open_text(const std::u16string& path) {
    return std::make_unique<TextFileReader>(path);
}

}  // namespace text
