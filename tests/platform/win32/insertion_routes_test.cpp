// Every way text gets into Text1, or lines join in it, through the one gate: typing, pastes by
// each way in, an input method's result, deletions that join lines, undo. A refused change
// leaves the text, the selection and the history as they were and is said once, after the
// command; undo and redo are not asked, as they only return to texts the gate let through.
#include <windows.h>

#include <imm.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "modal_watch.h"
#include "platform/scintilla/change_limits.h"
#include "win32_test_support.h"

namespace {

using platform::scintilla::ChangeKind;
using platform::scintilla::refusal_message;
using platform::scintilla::Verdict;
using win32_test::press;

// The messages of the error boxes `command` brings, each answered.
std::vector<std::u16string> refusals_of(const std::function<void()>& command) {
    std::vector<std::u16string> messages;
    const win32_test::ModalWatch watch({[&] {
        if (const HWND box = win32_test::find_error_box())
            messages.push_back(win32_test::close_error_box(box));
        return false;  // watching to the end
    }});
    command();
    win32_test::pump_messages();
    return messages;
}

class GateTest : public win32_test::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        program().form().text1().gate().set_limits({.box_bytes = 24, .line_bytes = 10});
        SetFocus(text1());
    }
    std::function<void()> keys(std::vector<int> held, UINT key) {
        return [this, held = std::move(held), key] { press(text1(), held, key); };
    }
    std::u16string text() { return program().form().text1().text(); }
};

TEST_F(GateTest, EveryWayInPassesTheGate) {
    const std::u16string line = u"abcdefghij\r\n";  // a full line
    const std::u16string lines = u"abcdefgh\r\nijklmnop";
    const auto typed = refusal_message(ChangeKind::typing, Verdict::line_too_long);
    const auto pasted = refusal_message(ChangeKind::paste, Verdict::line_too_long);
    const auto deleted = refusal_message(ChangeKind::deletion, Verdict::line_too_long);
    const auto compose = [this](std::wstring result) {
        return [this, result]() mutable {
            const HIMC context = ImmGetContext(text1());
            ImmSetCompositionStringW(context, SCS_SETSTR, result.data(),
                                     static_cast<DWORD>(result.size() * sizeof(wchar_t)), nullptr,
                                     0);
            ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
            ImmReleaseContext(text1(), context);
        };
    };
    struct Case {
        const char* way;
        std::u16string text;
        Sci_Position start;
        Sci_Position end;
        std::function<void()> change;
        std::u16string refusal;  // none: the change is made
        std::u16string text_after = {};
    };
    const std::vector<Case> cases = {
        {"typing within the line", u"abc", 3, 3, keys({}, 'X'), u"", u"abcx"},
        {"typing", line, 10, 10, keys({}, 'X'), typed},
        {"typing on while the refusal is up, said once", line, 10, 10,
         [this] {
             for (const wchar_t key : {L'x', L'y'})
                 PostMessageW(text1(), WM_CHAR, key, 1);
         },
         typed},
        {"typing past the box", line + line, 24, 24, keys({}, 'X'),
         refusal_message(ChangeKind::typing, Verdict::box_too_large)},
        {"typing over a selection", line, 2, 3,
         [this] { PostMessageW(text1(), WM_CHAR, L'日', 1); }, typed},
        {"an input method's result", u"abc", 3, 3, compose(L"日本"), u"", u"abc日本"},
        {"an input method's result past the line", line, 10, 10, compose(L"日本"), typed},
        {"Enter over lines it would join", lines, 7, 11, keys({}, VK_RETURN), deleted},
        {"Ctrl+V", line, 10, 10, keys({VK_CONTROL}, 'V'), pasted},
        {"Shift+Insert", line, 10, 10, keys({VK_SHIFT}, VK_INSERT), pasted},
        {"WM_PASTE over a selection", line, 5, 10,
         [this] { SendMessageW(text1(), WM_PASTE, 0, 0); }, pasted},
        {"the edit menu's paste", line, 10, 10,
         [this] {
             const win32_test::ModalWatch menu({[] {
                 const HWND shown = win32_test::find_thread_window(L"#32768");
                 return shown != nullptr && PostMessageW(shown, WM_CHAR, L'p', 0);
             }});
             SendMessageW(text1(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text1()),
                          MAKELPARAM(-1, -1));
         },
         pasted},
        {"Ctrl+Z after a refusal undoes the change before it", u"abcdefghi", 9, 9,
         [this] {
             for (const UINT key : {'J', 'K'})
                 press(text1(), {}, key);
             press(text1(), {VK_CONTROL}, 'Z');
         },
         typed},
        {"Backspace joining lines within the limit", u"abcde\r\nfghij", 7, 7, keys({}, VK_BACK),
         u"", u"abcdefghij"},
        {"Backspace joining lines", lines, 10, 10, keys({}, VK_BACK), deleted},
        {"Ctrl+Backspace joining lines", lines, 10, 10, keys({VK_CONTROL}, VK_BACK), deleted},
        {"Delete joining lines", lines, 8, 8, keys({}, VK_DELETE), deleted},
        {"Shift+Delete cutting across lines", lines, 7, 11, keys({VK_SHIFT}, VK_DELETE), deleted},
    };
    for (const Case& c : cases) {
        program().form().text1().set_text(c.text);
        SendMessageW(text1(), SCI_SETSEL, static_cast<WPARAM>(c.start), c.end);
        win32_test::put_on_clipboard(text1(), u"貼る");
        const std::vector<std::u16string> refusals = refusals_of(c.change);
        if (c.refusal.empty()) {
            EXPECT_EQ(text(), c.text_after) << c.way;
            EXPECT_TRUE(refusals.empty()) << c.way;
            continue;
        }
        EXPECT_EQ(text(), c.text) << c.way;
        EXPECT_EQ(win32_test::selection_of(text1()), (win32_test::Selection{c.start, c.end}))
            << c.way;
        EXPECT_EQ(refusals, std::vector<std::u16string>{c.refusal}) << c.way;
        EXPECT_FALSE(SendMessageW(text1(), SCI_CANUNDO, 0, 0)) << c.way << ": nothing to undo";
    }
}

}  // namespace
