// The boundary between Windows callbacks and C++: no exception may cross it, and none is hidden.
#pragma once

#include <windows.h>

#include <exception>
#include <utility>

namespace win32_host {

// Shows an unexpected failure in a Japanese message box over `owner`.
void report_unexpected(HWND owner, std::exception_ptr failure) noexcept;

// Runs `action`, reporting anything it throws; false when it threw.
template <class Action>
bool guarded(HWND owner, Action&& action) noexcept {
    try {
        std::forward<Action>(action)();
        return true;
    } catch (...) {
        report_unexpected(owner, std::current_exception());
        return false;
    }
}

}  // namespace win32_host
