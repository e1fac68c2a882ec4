// The failure boundary of Form1's window procedures: anything thrown is reported in one box,
// never stacked, and the window goes on.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "modal_watch.h"
#include "win32_test_support.h"

namespace {

using win32_test::ModalWatch;
using win32_test::ProgramTest;
using win32_test::window_text;

struct NotAStandardException {};

// Core events that fail on every resize with something no standard exception type describes.
class FailingEvents final : public host::WindowEvents {
  public:
    void on_load() override {}
    void on_resize() override {
        ++resizes;
        throw NotAStandardException{};
    }
    bool on_text_mouse_down(const host::MouseDown&) override { throw 42; }
    void on_files_given(const std::vector<host::GivenFile>&) override { throw 42; }
    int resizes = 0;
};

std::ptrdiff_t error_boxes() {
    return std::ranges::count_if(win32_test::thread_windows(), [](HWND window) {
        return IsWindowVisible(window) && win32_test::class_name(window) == u"#32770" &&
               window_text(window) == u"エラー";
    });
}

TEST_F(ProgramTest, AFailureOnEveryResizeShowsOneBoxAndTheWindowGoesOn) {
    FailingEvents events;
    program().form().set_events(&events);
    std::u16string message;
    std::ptrdiff_t boxes_while_resizing = 0;
    ModalWatch watch({[&] {
        const HWND box = win32_test::find_error_box();
        if (box == nullptr)
            return false;
        // The window keeps being resized while the box is up; each resize fails again.
        for (const int width : {300, 320, 340}) {
            SetWindowPos(form(), nullptr, 0, 0, width, 250,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        boxes_while_resizing = error_boxes();
        message = win32_test::close_error_box(box);
        return true;
    }});
    SetWindowPos(form(), nullptr, 0, 0, 280, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(watch.finished());
    EXPECT_EQ(message, u"予期しないエラーが発生しました。\n\n原因不明のエラーです。");
    EXPECT_EQ(boxes_while_resizing, 1);
    EXPECT_EQ(events.resizes, 4);
    EXPECT_TRUE(IsWindow(form()));
    program().form().set_events(&program().core());
}

TEST_F(ProgramTest, AFailingPressOnText1IsReportedAndTheControlStillHandlesIt) {
    FailingEvents events;
    program().form().set_events(&events);
    std::u16string message;
    ModalWatch watch({win32_test::answer_error_box(message)});
    SendMessageW(text1(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(text1(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(watch.finished());
    EXPECT_EQ(message, u"予期しないエラーが発生しました。\n\n原因不明のエラーです。");
    EXPECT_TRUE(IsWindow(text1()));
    program().form().set_events(&program().core());
}

}  // namespace
