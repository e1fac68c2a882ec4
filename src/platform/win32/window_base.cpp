// Binding window handles to their objects.
#include "platform/win32/window_base.h"

#include "core/host/host_error.h"
#include "platform/win32/guard.h"

namespace platform::win32 {

WindowBase::WindowBase() : failures_(failure_box(hwnd_)) {}

WindowBase::~WindowBase() {
    // Too late to reach the derived object: messages from here on get the default handling.
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void WindowBase::destroy() noexcept {
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
}

void WindowBase::register_class(WNDCLASSEXW window_class) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(window_class.hInstance, window_class.lpszClassName, &existing))
        return;
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &WindowBase::procedure;
    if (RegisterClassExW(&window_class) == 0) {
        throw host::HostError(u"ウィンドウクラスを登録できませんでした。");
    }
}

void WindowBase::create(DWORD ex_style, const wchar_t* class_name, const wchar_t* caption,
                        DWORD style, int x, int y, int width, int height, HWND parent,
                        HINSTANCE instance) {
    CreateWindowExW(ex_style, class_name, caption, style, x, y, width, height, parent, nullptr,
                    instance, this);
    if (hwnd_ == nullptr)
        throw host::HostError(u"ウィンドウを作成できませんでした。");
}

LRESULT WindowBase::default_handling(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK WindowBase::procedure(HWND hwnd, UINT message, WPARAM wparam,
                                       LPARAM lparam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(hwnd, message, wparam, lparam);

    LRESULT result = 0;
    if (!self->failures_.guarded([&] { result = self->handle_message(message, wparam, lparam); })) {
        result = DefWindowProcW(hwnd, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace platform::win32
