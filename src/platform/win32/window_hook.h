// A procedure placed in front of a window's own, as comctl32's SetWindowSubclass does, without
// comctl32: loading it at start-up costs an idle program megabytes and milliseconds.
#pragma once

#include <windows.h>

#include "core/host/host_error.h"

namespace platform::win32 {

// One slot per kind of hook, so that hooks on the same window stay apart: each slot has its own
// window properties and its own procedure.
enum class HookSlot { text_box_font, text_box_input };

namespace hook_detail {

struct SlotNames {
    const wchar_t* owner;  // the WindowHook, while attached
    const wchar_t* next;   // the procedure the hook was put in front of
};

inline constexpr SlotNames slot_names[] = {
    {L"OnTopView.TextBoxFont.Hook", L"OnTopView.TextBoxFont.Next"},
    {L"OnTopView.TextBoxInput.Hook", L"OnTopView.TextBoxInput.Next"},
};

}  // namespace hook_detail

template <HookSlot Slot>
class WindowHook {
  public:
    // Sees every message first; passes on what it does not handle with call_next.
    using Procedure = LRESULT (*)(void* owner, HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam);

    WindowHook() = default;
    ~WindowHook() { detach(); }
    WindowHook(const WindowHook&) = delete;
    WindowHook& operator=(const WindowHook&) = delete;

    // Puts `procedure` in front of the window's; it stays until detach or the window's
    // WM_NCDESTROY, which it still sees.
    void attach(HWND window, Procedure procedure, void* owner) {
        detach();
        // A hook of this slot left passing messages on would lose its place in the chain.
        if (GetPropW(window, names().next) != nullptr)
            throw_not_attached();
        if (!SetPropW(window, names().next,
                      reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC))) ||
            !SetPropW(window, names().owner, this)) {
            RemovePropW(window, names().next);
            throw_not_attached();
        }
        procedure_ = procedure;
        owner_ = owner;
        window_ = window;
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&hook_procedure));
    }

    // Takes the hook out. A later hook in front of it keeps its place: this one then only
    // passes messages on until the window is destroyed.
    void detach() noexcept {
        if (window_ == nullptr)
            return;
        RemovePropW(window_, names().owner);
        if (GetWindowLongPtrW(window_, GWLP_WNDPROC) ==
            reinterpret_cast<LONG_PTR>(&hook_procedure)) {
            SetWindowLongPtrW(window_, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(GetPropW(window_, names().next)));
            RemovePropW(window_, names().next);
        }
        window_ = nullptr;
    }

    bool attached() const noexcept { return window_ != nullptr; }

    // The message handled as if this hook were not there.
    static LRESULT call_next(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        const auto next =
            reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(GetPropW(window, names().next)));
        return next != nullptr ? CallWindowProcW(next, window, message, wparam, lparam)
                               : DefWindowProcW(window, message, wparam, lparam);
    }

  private:
    [[noreturn]] static void throw_not_attached() {
        throw host::HostError(u"テキストボックスのメッセージ処理を設定できませんでした。");
    }

    static constexpr const hook_detail::SlotNames& names() {
        return hook_detail::slot_names[static_cast<int>(Slot)];
    }

    static LRESULT CALLBACK hook_procedure(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
        auto* const self = static_cast<WindowHook*>(GetPropW(window, names().owner));
        const LRESULT result = self != nullptr
                                   ? self->procedure_(self->owner_, window, message, wparam, lparam)
                                   : call_next(window, message, wparam, lparam);
        if (message == WM_NCDESTROY) {
            // The window's last message: its properties go with the hook.
            RemovePropW(window, names().owner);
            RemovePropW(window, names().next);
            if (self != nullptr)
                self->window_ = nullptr;
        }
        return result;
    }

    HWND window_ = nullptr;
    Procedure procedure_ = nullptr;
    void* owner_ = nullptr;
};

}  // namespace platform::win32
