// Reading an open file to its end without passing a size limit, shared by every platform's
// whole-file read.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

#include "host/text/file_errors.h"

namespace host {

// `read_some(into, size)` reads up to `size` bytes and returns 0 at the end of the file.
// `expected` is the size the system reported, which the file may since have left behind.
template <class ReadSome>
std::string read_to_end(ReadSome read_some, std::size_t expected, std::size_t limit) {
    std::string bytes(expected, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::size_t count = read_some(bytes.data() + filled, bytes.size() - filled);
        if (count == 0) {  // shrank since its size was taken
            bytes.resize(filled);
            return bytes;
        }
        filled += count;
    }
    // Grown since its size was taken, or a size the system does not know beforehand (/proc
    // files report 0): go on in chunks, asking for one byte past the limit at most to tell it
    // is exceeded.
    std::string chunk(64 * 1024, '\0');
    for (;;) {
        const std::size_t wanted = std::min(chunk.size(), limit - bytes.size() + 1);
        const std::size_t count = read_some(chunk.data(), wanted);
        if (count == 0)
            return bytes;
        if (count > limit - bytes.size())
            throw file_too_large_error(limit);
        bytes.append(chunk.data(), count);
    }
}

}  // namespace host
