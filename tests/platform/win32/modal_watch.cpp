// The modal watch's timer, the search for this thread's windows and the error box's answer.
#include "modal_watch.h"

#include <string>

#include "text/win32/wide_strings.h"
#include "win32_test_support.h"

namespace win32_test {
namespace {

constexpr UINT_PTR timer_id = 1;
constexpr UINT tick_milliseconds = 10;
// Only a safety net against a test that would otherwise wait forever on a window that never
// comes: a step normally finds its window within a few ticks.
constexpr int ticks_before_giving_up = 3000;

BOOL CALLBACK collect(HWND hwnd, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
    return TRUE;
}

}  // namespace

ModalWatch::ModalWatch(std::vector<Step> steps) : steps_(std::move(steps)) {
    WNDCLASSEXW window_class{};
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"OnTopViewModalWatch";
    register_class(window_class);
    create(0, window_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, window_class.hInstance);
    SetTimer(hwnd(), timer_id, tick_milliseconds, nullptr);
}

ModalWatch::~ModalWatch() {
    if (hwnd() != nullptr)
        KillTimer(hwnd(), timer_id);
    destroy();
}

LRESULT ModalWatch::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == timer_id) {
        tick();
        return 0;
    }
    return default_handling(message, wparam, lparam);
}

void ModalWatch::tick() {
    if (next_ == steps_.size()) {
        KillTimer(hwnd(), timer_id);
        return;
    }
    if (steps_[next_]()) {
        ++next_;
        idle_ticks_ = 0;
        return;
    }
    if (++idle_ticks_ >= ticks_before_giving_up)
        give_up();
}

void ModalWatch::give_up() {
    gave_up_ = true;
    next_ = steps_.size();
    KillTimer(hwnd(), timer_id);
    EndMenu();
    for (HWND window : thread_windows()) {
        if (class_name(window) == u"#32770")
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
}

std::vector<HWND> thread_windows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND find_thread_window(const wchar_t* window_class, const wchar_t* caption) {
    for (HWND window : thread_windows()) {
        if (IsWindowVisible(window) && class_name(window) == text::u16_from_wstring(window_class) &&
            (caption == nullptr || window_text(window) == text::u16_from_wstring(caption))) {
            return window;
        }
    }
    return nullptr;
}

HWND find_error_box() {
    return find_thread_window(L"#32770", L"エラー");
}

std::u16string close_error_box(HWND box) {
    const std::u16string message = window_text(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return message;
}

ModalWatch::Step answer_error_box(std::u16string& message) {
    return [&message] {
        const HWND box = find_error_box();
        if (box != nullptr)
            message = close_error_box(box);
        return box != nullptr;
    };
}

}  // namespace win32_test
