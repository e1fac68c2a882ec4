// The legacy Japanese converters the reader takes from the platform: declared here, defined
// once for each platform in text/posix/ (iconv) and text/win32/ (MultiByteToWideChar).
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace text {

// Text goes to a converter in runs of about this many bytes, cut between characters: a run the
// converter rejects whole is redone a character at a time, which then redoes little.
inline constexpr std::size_t converter_run_bytes = 64 * 1024;

// Code page 932 (Shift_JIS) as Windows maps it. Each byte the converter rejects becomes U+FFFD
// and decoding resumes at the next byte.
std::u16string decode_cp932(std::string_view bytes);

// The platform's own EUC-JP converter, given only the characters every platform maps alike:
// ASCII, half-width katakana and JIS X 0208 (see euc_jp::is_for_converter).
class EucJpConverter {
  public:
    EucJpConverter();
    ~EucJpConverter();
    EucJpConverter(const EucJpConverter&) = delete;
    EucJpConverter& operator=(const EucJpConverter&) = delete;

    // `run` is whole characters the converter is given; `out` has one unit for each, which
    // becomes the character or, for a JIS X 0208 cell without one, U+FFFD.
    void convert(std::string_view run, std::span<char16_t> out);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace text
