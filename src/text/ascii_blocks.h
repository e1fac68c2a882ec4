// Bytes tested eight at a time for ASCII, the fast path of every decoder: text in any encoding the
// reader takes has long runs of ASCII (markup, line breaks, Latin words, numbers).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace text::ascii_blocks {

inline constexpr std::size_t block = 8;
// The top bit of each of the eight bytes: set in a byte from 0x80 up.
inline constexpr std::uint64_t high_bits = 0x8080808080808080;

// The eight bytes at `p`, in the machine's order.
inline std::uint64_t load(const void* p) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Whether the eight bytes at `p` are all ASCII.
inline bool is_ascii_block(const void* p) {
    return (load(p) & high_bits) == 0;
}

// Whether eight bytes start at `at` and are all ASCII.
inline bool is_ascii_block_at(std::string_view bytes, std::size_t at) {
    return bytes.size() - at >= block && is_ascii_block(bytes.data() + at);
}

// Whether every byte is ASCII.
inline bool is_ascii(std::string_view bytes) {
    std::size_t i = 0;
    for (; i + block <= bytes.size(); i += block) {
        if (!is_ascii_block(bytes.data() + i))
            return false;
    }
    for (; i < bytes.size(); ++i) {
        if (static_cast<std::uint8_t>(bytes[i]) >= 0x80)
            return false;
    }
    return true;
}

// How many bytes are from 0x80 up.
inline std::size_t high_byte_count(std::string_view bytes) {
    std::size_t high = 0;
    std::size_t i = 0;
    for (; i + block <= bytes.size(); i += block)
        high += static_cast<std::size_t>(std::popcount(load(bytes.data() + i) & high_bits));
    for (; i < bytes.size(); ++i)
        high += static_cast<std::uint8_t>(bytes[i]) >> 7;
    return high;
}

}  // namespace text::ascii_blocks
