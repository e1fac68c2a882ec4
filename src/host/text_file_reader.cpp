// Reads a text file whole, keeping only its decoded text, and walks its lines.
#include "host/text_file_reader.h"

#include "host/file_bytes.h"
#include "host/text_decoding.h"

namespace host {
namespace {

std::size_t crlf_size_of(std::u16string_view text) {
    const LineTally tally = tally_lines(text);
    return tally.units + 2 * tally.lines;
}

}  // namespace

// The raw bytes are a temporary: freed as soon as they are decoded.
TextFileReader::TextFileReader(const std::u16string& path)
    : text_(decode_text(read_file_bytes(path, max_text_file_bytes))),
      cursor_(text_),
      crlf_text_size_(crlf_size_of(text_)) {}

bool TextFileReader::at_end() const {
    return cursor_.at_end();
}

std::u16string_view TextFileReader::read_line() {
    if (cursor_.at_end())
        return {};
    const std::u16string_view line = cursor_.next_line();
    crlf_text_size_ -= line.size() + 2;
    return line;
}

std::size_t TextFileReader::crlf_text_size() const {
    return crlf_text_size_;
}

}  // namespace host
