// The LineReader for text files: the whole file decoded once, then handed out line by line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/host/files.h"
#include "text/text_lines.h"

namespace text {

// Larger files are refused: far beyond any text meant to be read on screen.
inline constexpr std::uint64_t max_text_file_bytes = std::uint64_t{256} * 1024 * 1024;

class TextFileReader final : public host::LineReader {
  public:
    // Reads and decodes the whole file; throws HostError when it cannot.
    explicit TextFileReader(const std::u16string& path);

    // The lines point into text_, so the reader stays where it was built.
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    bool at_end() const override;
    std::u16string_view read_line() override;
    std::size_t crlf_text_size() const override;

  private:
    std::u16string text_;
    LineCursor cursor_;
};

// The file system part every platform shares: text files are read by TextFileReader.
class TextFileSystem : public host::FileSystem {
  public:
    std::unique_ptr<host::LineReader> open_text(const std::u16string& path) override;
};

}  // namespace text
