// Reading an open file to its end without passing a size limit, shared by every platform's
// whole-file read.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

#include "text/file_errors.h"

namespace text {
namespace read_detail {

// Reads into a string of `expected` bytes, then on past it in chunks while the file grows.
// `expected` must not be past `limit`: the room left below the limit is counted down from it.
template <class ReadSome>
std::string read_within(ReadSome& read_some, std::size_t expected, std::size_t limit,
                        std::uint64_t stated_limit) {
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
            throw file_too_large_error(stated_limit);
        bytes.append(chunk.data(), count);
    }
}

}  // namespace read_detail

// `read_some(into, size)` reads up to `size` bytes and returns 0 at the end of the file.
// `reported_size` is the size the system reported, which the file may since have left behind;
// one past `limit` is refused before anything is read. Running out of memory is reported as a
// file problem, like any other reason the file cannot be shown.
template <class ReadSome>
std::string read_to_end(ReadSome read_some, std::uint64_t reported_size, std::uint64_t limit) {
    // Beyond what a string can hold the limit is unreachable anyway.
    const auto reachable =
        static_cast<std::size_t>(std::min<std::uint64_t>(limit, std::string().max_size() - 1));
    if (reported_size > reachable)
        throw file_too_large_error(limit);
    try {
        return read_detail::read_within(read_some, static_cast<std::size_t>(reported_size),
                                        reachable, limit);
    } catch (const std::bad_alloc&) {
        throw file_error(FileProblem::out_of_memory);
    }
}

}  // namespace text
