// Hooks in front of a window's procedure: the order messages take through them, taking them out
// in any order, and a window destroyed under them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/window_hook.h"

namespace {

using platform::win32::HookSlot;
using platform::win32::WindowHook;
using FontHook = WindowHook<HookSlot::text_box_font>;
using InputHook = WindowHook<HookSlot::text_box_input>;

constexpr UINT probe_message = WM_APP + 7;

// Who saw the probe message, in order; the window's own procedure writes "window".
using Trail = std::vector<std::string>;

LRESULT CALLBACK own_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == probe_message) {
        reinterpret_cast<Trail*>(lparam)->push_back("window");
        return 1;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

template <class Hook>
LRESULT recording(void* name, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == probe_message)
        reinterpret_cast<Trail*>(lparam)->push_back(static_cast<const char*>(name));
    return Hook::call_next(window, message, wparam, lparam);
}

class WindowHookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = own_procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"OnTopViewHookTest";
        RegisterClassW(&window_class);
        window_ = CreateWindowExW(0, L"OnTopViewHookTest", L"", WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        if (IsWindow(window_))
            DestroyWindow(window_);
    }

    std::vector<std::string> probe() {
        Trail trail;
        EXPECT_EQ(SendMessageW(window_, probe_message, 0, reinterpret_cast<LPARAM>(&trail)), 1);
        return trail;
    }
    LONG_PTR procedure() const { return GetWindowLongPtrW(window_, GWLP_WNDPROC); }

    HWND window_ = nullptr;
    char font_name_[5] = "font";
    char input_name_[6] = "input";
};

TEST_F(WindowHookTest, MessagesPassTheLatestHookFirst) {
    const LONG_PTR own = procedure();
    FontHook font;
    InputHook input;
    font.attach(window_, &recording<FontHook>, font_name_);
    input.attach(window_, &recording<InputHook>, input_name_);
    EXPECT_EQ(probe(), (std::vector<std::string>{"input", "font", "window"}));

    input.detach();
    EXPECT_EQ(probe(), (std::vector<std::string>{"font", "window"}));
    font.detach();
    EXPECT_EQ(probe(), (std::vector<std::string>{"window"}));
    EXPECT_EQ(procedure(), own);  // taken out in reverse order, nothing is left behind
}

TEST_F(WindowHookTest, TakingOutTheEarlierHookKeepsTheLaterOne) {
    FontHook font;
    InputHook input;
    font.attach(window_, &recording<FontHook>, font_name_);
    input.attach(window_, &recording<InputHook>, input_name_);
    font.detach();
    EXPECT_FALSE(font.attached());
    EXPECT_EQ(probe(), (std::vector<std::string>{"input", "window"}));

    // The slot cannot be used again while its old procedure still passes messages on.
    EXPECT_THROW(font.attach(window_, &recording<FontHook>, font_name_), host::HostError);
    EXPECT_EQ(probe(), (std::vector<std::string>{"input", "window"}));
}

TEST_F(WindowHookTest, DestroyingTheWindowDetachesAndItsLastMessageIsSeen) {
    struct Seen {
        bool ncdestroy = false;
    } seen;
    FontHook font;
    font.attach(
        window_,
        [](void* owner, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
            if (message == WM_NCDESTROY)
                static_cast<Seen*>(owner)->ncdestroy = true;
            return FontHook::call_next(window, message, wparam, lparam);
        },
        &seen);
    InputHook input;
    input.attach(window_, &recording<InputHook>, input_name_);
    ASSERT_TRUE(DestroyWindow(window_));
    EXPECT_TRUE(seen.ncdestroy);
    EXPECT_FALSE(font.attached());
    EXPECT_FALSE(input.attached());
    font.detach();  // nothing left to undo, and no window to touch
    input.detach();
}

}  // namespace
