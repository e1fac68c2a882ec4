// An iconv conversion descriptor owned for the length of one decoding, for the converters that
// decode legacy Japanese text on POSIX systems.
#pragma once

#include <iconv.h>

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/host/host_error.h"

namespace text {

// The converters write bytes; this order makes them the host's own char16_t values.
inline constexpr const char* native_utf16 =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

class IconvHandle {
  public:
    // `name` is the encoding as the user is told it in the message when it cannot be set up.
    IconvHandle(const char* to, const char* from, std::u16string_view name)
        : handle_(iconv_open(to, from)) {
        if (handle_ == failed()) {
            throw host::HostError(u"文字コードの変換を準備できませんでした（" +
                                  std::u16string(name) + u"）。");
        }
    }
    ~IconvHandle() { iconv_close(handle_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    iconv_t get() const noexcept { return handle_; }

  private:
    static iconv_t failed() noexcept { return reinterpret_cast<iconv_t>(std::intptr_t{-1}); }

    iconv_t handle_;
};

}  // namespace text
