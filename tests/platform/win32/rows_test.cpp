// Japanese rows on Windows: Uniscribe's break opportunities, the row styling on a bare Scintilla
// window, and Text1 laying its rows out, held to the table both programs share.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "platform/scintilla/plain_text_setup.h"
#include "platform/scintilla/row_styler.h"
#include "platform/win32/line_breaks.h"
#include "platform/win32/scintilla_classes.h"
#include "row_checks.h"
#include "win32_test_support.h"

namespace {

using win32_test::ProgramTest;

TEST(RowsTest, UniscribeOpportunitiesFollowTheSharedTable) {
    row_test::expect_break_cases(platform::win32::break_opportunities);
}

// A Scintilla window of its own (the program registers the class) in a parent that passes its
// notifications to a row styler counting what it asks Uniscribe.
class StyledBoxTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW parent_class{};
        parent_class.lpfnWndProc = &StyledBoxTest::parent_procedure;
        parent_class.hInstance = instance;
        parent_class.lpszClassName = L"RowsTestParent";
        RegisterClassW(&parent_class);  // once a process: later it exists already
        parent_ = CreateWindowExW(0, L"RowsTestParent", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                  nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrW(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        const HWND box = CreateWindowExW(0, platform::win32::scintilla_class_name, L"", WS_CHILD, 0,
                                         0, 400, 300, parent_, nullptr, instance, nullptr);
        call_ = platform::win32::window_call(box);
        platform::scintilla::set_up_plain_text_box(call_);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        ProgramTest::TearDown();
    }

    static LRESULT CALLBACK parent_procedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
        auto* const test =
            reinterpret_cast<StyledBoxTest*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NOTIFY && test != nullptr) {
            test->styler_.on_notification(test->call_,
                                          *reinterpret_cast<const SCNotification*>(lparam));
            return 0;
        }
        return DefWindowProcW(window, message, wparam, lparam);
    }

    HWND parent_ = nullptr;
    platform::scintilla::ScintillaCall call_;
    row_test::CountedBreaks breaks_{platform::win32::break_opportunities};
    platform::scintilla::RowStyler styler_{std::ref(breaks_)};
};

TEST_F(StyledBoxTest, StylesFollowTheSharedTableAndLongLinesAcrossPieces) {
    row_test::expect_style_cases(call_);
    row_test::expect_long_line_styles(call_, breaks_);
}

// Text1 itself, styled by the program.
using Text1RowsTest = ProgramTest;

TEST_F(Text1RowsTest, RowsBreakAsTheSharedTableSays) {
    platform::win32::ScintillaTextBox& box = program().form().text1();
    box.set_font_name(u"Noto Sans CJK JP");
    box.set_font_size(12);
    row_test::expect_row_cases(box.call(), [&](int text_width) {
        win32_test::set_client_width(text1(), text_width, 400);
        win32_test::paint_now(form());
    });
}

}  // namespace
