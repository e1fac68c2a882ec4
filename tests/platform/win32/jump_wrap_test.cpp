// Text1 after a jump far into a text its idle wrap has not reached: the view is right at once and
// stays what a box wrapped whole beforehand shows once the idle wrap has finished.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/win_edit_menu.h"
#include "win32_test_support.h"

namespace {

using win32_test::send;
using namespace std::chrono_literals;
using win32_test::ProgramTest;
using win32_test::put_on_clipboard;

// Japanese with 。 and 「」 (no row may start with the one or end with the other) and English.
std::u16string sentence(unsigned number) {
    static constexpr std::u16string_view sentences[] = {
        u"吾輩は猫である。名前はまだ無い。「どこで生れたか」とんと見当がつかぬ。",
        u"The quick brown fox jumps over the lazy dog; 0123456789 ABCDEFGHIJ. ",
        u"何でも薄暗いじめじめした所で「ニャーニャー」泣いていた事だけは記憶している。",
    };
    return std::u16string(sentences[number % 3]);
}

// `lines` lines of `sentences` sentences each, numbered.
std::u16string text_of(unsigned lines, unsigned sentences) {
    std::u16string text;
    for (unsigned line = 0; line < lines; ++line) {
        text += std::u16string(u"行") + std::u16string(1, static_cast<char16_t>(u'0' + line % 10));
        for (unsigned s = 0; s < sentences; ++s)
            text += sentence(line + s);
        text += u"\r\n";
    }
    return text;
}

// Handles messages until the box has had none for a while: its idle wrap, which runs on a 10 ms
// timer while there is wrapping left, has finished. Only a queue found empty ends the wait, so a
// test thread kept off the processor meanwhile still sees the timer that came due.
void finish_idle_wrap(HWND box) {
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    auto last = std::chrono::steady_clock::now();
    for (;;) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the idle wrap never finished";
        MSG message{};
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (std::chrono::steady_clock::now() - last > 100ms)
                return;
            Sleep(1);
            continue;
        }
        if (message.hwnd == box)
            last = std::chrono::steady_clock::now();
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The rows the box counts for a line (SCI_WRAPCOUNT lays the line out afresh instead).
Sci_Position rows_counted(HWND box, WPARAM line) {
    return send(box, SCI_VISIBLEFROMDOCLINE, line + 1) - send(box, SCI_VISIBLEFROMDOCLINE, line);
}

// What the box shows once painted: where each row on screen starts and where the caret is; and
// the row at the top and the rows in all, which agree with a box wrapped whole only once the idle
// wrap has finished.
struct View {
    std::vector<Sci_Position> row_starts;
    Sci_Position caret = 0;
    Sci_Position first_row = 0;
    Sci_Position rows = 0;
};

View view_of(HWND box) {
    RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW);
    View view;
    const auto row_height = static_cast<int>(send(box, SCI_TEXTHEIGHT, 0));
    for (int row = 0; row < send(box, SCI_LINESONSCREEN); ++row) {
        view.row_starts.push_back(
            send(box, SCI_POSITIONFROMPOINT, 0, row * row_height + row_height / 2));
    }
    view.caret = send(box, SCI_GETCURRENTPOS);
    view.first_row = send(box, SCI_GETFIRSTVISIBLELINE);
    view.rows = send(box, SCI_VISIBLEFROMDOCLINE, static_cast<WPARAM>(send(box, SCI_GETLINECOUNT)));
    return view;
}

TEST_F(ProgramTest, AJumpFarShowsWhereItLandsAtOnceAndWhatAWholeWrapShows) {
    struct Case {
        const char* what;
        std::u16string text;
        bool pasted = false;      // filled by a paste, which leaves the caret at its end
        Sci_Position hidden = 0;  // lines hidden just above the last
    };
    const std::vector<Case> cases = {
        {"lines, opened", text_of(4000, 1)},
        {"lines, pasted", text_of(4000, 1), true},
        {"long lines of many rows, opened", text_of(40, 120)},
        {"long lines of many rows, pasted", text_of(40, 120), true},
        {"lines with 300 hidden above the last", text_of(4000, 1), false, 300},
    };
    platform::win32::ScintillaTextBox& box = program().form().text1();
    const HWND hwnd = text1();
    RECT start_size{};
    GetClientRect(hwnd, &start_size);
    const float start_font_size = box.font_size();
    for (const Case& c : cases) {
        WPARAM middle_line = 0;
        const auto narrower = [&](int fifths) {
            SetWindowPos(hwnd, nullptr, 0, 0, start_size.right * fifths / 5, start_size.bottom,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        };
        struct Step {
            const char* what;
            std::function<void()> act;
            bool shows_end = false;
        };
        const std::vector<Step> steps = {
            {"Ctrl+End", [&] { send(hwnd, SCI_DOCUMENTEND); }, true},
            {"Ctrl+Home", [&] { send(hwnd, SCI_DOCUMENTSTART); }},
            {"to the middle line", [&] { send(hwnd, SCI_GOTOLINE, middle_line); }},
            // Up to the top row, faster than the box paints: the rows above the screen are
            // wrapped on the way and the screen must not move.
            {"Up to the top row",
             [&] {
                 for (Sci_Position row = send(hwnd, SCI_LINESONSCREEN); row > 1; --row)
                     send(hwnd, SCI_LINEUP);
             }},
            {"Ctrl+End again", [&] { send(hwnd, SCI_DOCUMENTEND); }, true},
            // Lines added inside the rows the jump wrapped.
            {"a paste at the end",
             [&] {
                 put_on_clipboard(hwnd, text_of(3, 2));
                 platform::win32::paste_plain_text(box);
             },
             true},
            {"narrower", [&] { narrower(4); }},
            {"Ctrl+End at the new width", [&] { send(hwnd, SCI_DOCUMENTEND); }, true},
            {"narrower again", [&] { narrower(3); }},
            {"Ctrl+End before a new font", [&] { send(hwnd, SCI_DOCUMENTEND); }, true},
            {"a 24-point font", [&] { box.set_font_size(24); }},
        };
        const auto fill = [&](bool pasting) {
            narrower(5);
            box.set_font_size(start_font_size);
            box.set_text(pasting ? u"" : c.text);
            if (c.hidden > 0) {
                const Sci_Position last = send(hwnd, SCI_GETLINECOUNT) - 1;
                send(hwnd, SCI_HIDELINES, static_cast<WPARAM>(last - c.hidden), last - 1);
            }
        };

        // The reference: everything wrapped before each step.
        fill(false);
        middle_line = static_cast<WPARAM>(send(hwnd, SCI_GETLINECOUNT) / 2);
        finish_idle_wrap(hwnd);
        std::vector<View> expected;
        for (const Step& step : steps) {
            step.act();
            finish_idle_wrap(hwnd);
            expected.push_back(view_of(hwnd));
        }
        ASSERT_GT(rows_counted(hwnd, middle_line), 1) << c.what;

        // The same steps at once, the idle wrap never given a turn.
        fill(c.pasted);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const std::string what = std::string(c.what) + ", " + steps[i].what;
            if (i == 0 && c.pasted) {
                put_on_clipboard(hwnd, c.text);
                platform::win32::paste_plain_text(box);
            } else {
                steps[i].act();
            }
            // Wrapped only around where it landed: the middle is left to the idle wrap.
            if (i == 0) {
                EXPECT_EQ(rows_counted(hwnd, middle_line), 1) << what;
            }
            const View shown = view_of(hwnd);
            EXPECT_EQ(shown.row_starts, expected[i].row_starts) << what;
            EXPECT_EQ(shown.caret, expected[i].caret) << what;
            // The text's last row at the bottom, counting the rows not yet wrapped as they are.
            if (steps[i].shows_end) {
                EXPECT_EQ(shown.first_row + send(hwnd, SCI_LINESONSCREEN), shown.rows) << what;
            }
        }
        finish_idle_wrap(hwnd);
        const View shown = view_of(hwnd);
        EXPECT_EQ(shown.row_starts, expected.back().row_starts) << c.what << ", wrap finished";
        EXPECT_EQ(shown.first_row, expected.back().first_row) << c.what << ", wrap finished";
        EXPECT_EQ(shown.rows, expected.back().rows) << c.what << ", wrap finished";
    }
}

}  // namespace
