// The eight-at-a-time ASCII tests agree with a byte-by-byte look at every length and position.
#include "text/ascii_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace text {
namespace {

TEST(AsciiBlocks, AgreeWithEachByteAtEveryLengthAndPosition) {
    // Bytes from 0x80 up that the words' top bits must catch, and 0x7F, which they must not.
    for (const char high : {'\x80', '\xFF', '\xC3'}) {
        for (std::size_t length = 0; length <= 2 * ascii_blocks::block + 3; ++length) {
            for (std::size_t at = 0; at <= length; ++at) {  // at == length: no high byte
                std::string bytes(length, '\x7F');
                if (at < length)
                    bytes[at] = high;
                if (at + 2 < length)
                    bytes[at + 2] = high;
                SCOPED_TRACE(std::to_string(length) + " bytes, high at " + std::to_string(at));
                const auto highs = static_cast<std::size_t>(std::count_if(
                    bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) != 0; }));
                EXPECT_EQ(ascii_blocks::high_byte_count(bytes), highs);
                EXPECT_EQ(ascii_blocks::is_ascii(bytes), highs == 0);
                for (std::size_t from = 0; from <= length; ++from) {
                    const bool whole_block_of_ascii =
                        length - from >= ascii_blocks::block &&
                        std::none_of(
                            bytes.begin() + static_cast<std::ptrdiff_t>(from),
                            bytes.begin() + static_cast<std::ptrdiff_t>(from + ascii_blocks::block),
                            [](char b) { return (b & 0x80) != 0; });
                    EXPECT_EQ(ascii_blocks::is_ascii_block_at(bytes, from), whole_block_of_ascii)
                        << "from " << from;
                }
            }
        }
    }
}

}  // namespace
}  // namespace text
