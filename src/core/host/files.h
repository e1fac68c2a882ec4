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

    // The open dialog's start before any file was opened, in order of preference; the core
    // takes the first that is a folder. Asked one at a time: finding the second may load a
    // system library. Empty where the system names none.
    virtual std::u16string preferred_start_folder() const = 0;
    virtual std::u16string fallback_start_folder() const = 0;
    virtual bool is_folder(const std::u16string& path) const = 0;

    // `path` made absolute against the current folder, as the system reads a path typed on a
    // command line; an absolute path comes back as it is. Throws HostError with a message for
    // the user when the current folder cannot be told.
    virtual std::u16string absolute_path(const std::u16string& path) const = 0;
};

}  // namespace host
