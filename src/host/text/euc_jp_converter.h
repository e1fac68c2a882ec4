// The platform's own EUC-JP converter, given only the characters every platform maps alike:
// ASCII, half-width katakana and JIS X 0208 (see euc_jp::is_for_converter).
#pragma once

#include <memory>
#include <span>
#include <string_view>

namespace host {

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

}  // namespace host
