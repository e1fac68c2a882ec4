// The test box on Windows: a Scintilla window in a hidden parent that hands its WM_NOTIFY on.
#include <windows.h>

#include "platform/scintilla/plain_text_setup.h"
#include "platform/win32/scintilla_classes.h"
#include "test_box.h"

namespace scintilla_test {
namespace {

constexpr wchar_t parent_class[] = L"ScintillaTestParent";

LRESULT CALLBACK parent_procedure(HWND parent, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY) {
        if (auto* const box = reinterpret_cast<TestBox*>(GetWindowLongPtrW(parent, GWLP_USERDATA));
            box != nullptr && box->on_notify) {
            box->on_notify(*reinterpret_cast<const SCNotification*>(lparam));
        }
        return 0;
    }
    return DefWindowProcW(parent, message, wparam, lparam);
}

}  // namespace

struct TestBox::Platform {
    HWND parent = nullptr;
    HWND box = nullptr;
    platform::scintilla::ScintillaCall call;
};

TestBox::TestBox() : platform_(std::make_unique<Platform>()) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = parent_procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = parent_class;
    RegisterClassW(&window_class);  // fails harmlessly once registered
    platform_->parent = CreateWindowExW(0, parent_class, L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                        nullptr, nullptr, instance, nullptr);
    SetWindowLongPtrW(platform_->parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    platform_->box =
        CreateWindowExW(0, platform::win32::scintilla_class_name, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                        400, 300, platform_->parent, nullptr, instance, nullptr);
    platform_->call = platform::win32::window_call(platform_->box);
    platform::scintilla::set_up_plain_text_box(platform_->call);
}

TestBox::~TestBox() {
    DestroyWindow(platform_->parent);
}

const platform::scintilla::ScintillaCall& TestBox::call() const {
    return platform_->call;
}

sptr_t TestBox::send(unsigned int message, uptr_t wparam, sptr_t lparam) {
    return SendMessageW(platform_->box, message, wparam, lparam);
}

}  // namespace scintilla_test
