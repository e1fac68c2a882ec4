// Reading text files line by line, and the host's path conventions.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace host {

// An open text file; closed when destroyed.
class LineReader {
  public:
    virtual ~LineReader() = default;
    virtual bool at_end() const = 0;
    // The next line without its terminator; valid until the next call.
    virtual std::u16string_view read_line() = 0;
    // UTF-16 units of every remaining line plus two per line: the size of the CR LF text.
    virtual std::size_t crlf_text_size() const = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Throws HostError with a message for the user when the file cannot be read.
    virtual std::unique_ptr<LineReader> open_text(const std::u16string& path) = 0;
    virtual char16_t path_separator() const = 0;
    // Where the open dialog starts when no file has been opened yet.
    virtual std::u16string default_folder() const = 0;
};

}  // namespace host
