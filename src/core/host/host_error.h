// Failures of host operations: one exception type, with a distinct kind for a cancelled dialog.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace host {

// What running out of memory reads as, wherever it happens: in a failure report, or as the
// reason a file cannot be shown.
inline constexpr std::u16string_view out_of_memory_text = u"メモリが足りません。";

// Carries a message in the user's language for display, and UTF-8 for logs.
class HostError : public std::runtime_error {
  public:
    explicit HostError(std::u16string message);
    const std::u16string& message() const noexcept { return message_; }

  private:
    std::u16string message_;
};

// Raised by a dialog shown with CancelError set when the user cancels it.
class DialogCancelled : public HostError {
  public:
    DialogCancelled();
};

}  // namespace host
