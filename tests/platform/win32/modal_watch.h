// Answers the modal menus, dialogs and message boxes a test opens: a timer on this thread keeps
// running inside their modal loops and takes steps on the windows it finds there.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/window_base.h"

namespace win32_test {

class ModalWatch final : public platform::win32::WindowBase {
  public:
    // A step looks for its window and acts on it; it returns true once done, and the next step
    // starts. Steps run from a timer, so only while some message loop runs.
    using Step = std::function<bool()>;

    explicit ModalWatch(std::vector<Step> steps);
    ~ModalWatch() override;

    // Every step found its window and acted; not when one never found it and everything modal
    // was cancelled instead.
    bool finished() const noexcept { return next_ == steps_.size() && !gave_up_; }

  private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void tick();
    void give_up();

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int idle_ticks_ = 0;
    bool gave_up_ = false;
};

// Top-level windows of this thread.
std::vector<HWND> thread_windows();
// The first visible top-level window of this thread of this class (and caption, if given).
HWND find_thread_window(const wchar_t* window_class, const wchar_t* caption = nullptr);

// The error box up now, or null.
HWND find_error_box();
// The error box's message, read as the box is closed with OK.
std::u16string close_error_box(HWND box);
// A step that waits for the error box and closes it, its message into `message`.
ModalWatch::Step answer_error_box(std::u16string& message);

}  // namespace win32_test
