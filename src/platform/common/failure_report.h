// Unexpected failures, reported alike on every platform: one wording, one box at a time, and a
// report that cannot itself fail.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace platform::common {

// The title of every error box the program shows.
inline constexpr char16_t error_title[] = u"エラー";
// Shown alone when not even the full message can be built; needs no memory of its own.
inline constexpr char16_t unexpected_failure_fallback[] = u"予期しないエラーが発生しました。";

// The full message for a failure nothing else handled: the fallback's sentence, then what
// failed, in the user's language. May throw std::bad_alloc.
std::u16string unexpected_failure_message(std::exception_ptr failure);

// Where a platform layer's callbacks meet the core: every failure that reaches it is shown in
// the layer's modal box. While that box is up, failures raised meanwhile (a resize that fails
// each time, say) are dropped rather than stacked in boxes of their own.
class FailureReporter {
  public:
    // Shows the message modally and returns when the user has closed it. Must not throw.
    using ShowBox = std::function<void(const char16_t* message)>;

    explicit FailureReporter(ShowBox show_box) : show_box_(std::move(show_box)) {}
    FailureReporter(const FailureReporter&) = delete;
    FailureReporter& operator=(const FailureReporter&) = delete;

    void report(std::exception_ptr failure) noexcept;

    // Runs `action`, reporting anything it throws, whatever its type; false when it threw.
    template <class Action>
    bool guarded(Action&& action) noexcept {
        try {
            std::forward<Action>(action)();
            return true;
        } catch (...) {
            report(std::current_exception());
            return false;
        }
    }

  private:
    ShowBox show_box_;
    bool showing_ = false;
};

}  // namespace platform::common
