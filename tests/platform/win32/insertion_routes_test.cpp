// Every way text gets into Text1, or lines join in it, through the one gate: typing, pastes by
// each way in, an input method's result, deletions that join lines, undo and redo. A refused
// change leaves the text and the selection as they were and is said once, after the command.
#include <windows.h>

#include <imm.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "modal_watch.h"
#include "platform/scintilla/change_limits.h"
#include "text/utf.h"
#include "win32_test_support.h"

namespace {

using platform::scintilla::ChangeKind;
using platform::scintilla::refusal_message;
using platform::scintilla::Verdict;
using win32_test::find_thread_window;
using win32_test::ModalWatch;
using win32_test::press;
using win32_test::ProgramTest;
using win32_test::window_text;

// An input method's finished composition, as the system's input method hands it over.
void compose(HWND box, std::wstring result) {
    const HIMC context = ImmGetContext(box);
    ImmSetCompositionStringW(context, SCS_SETSTR, result.data(),
                             static_cast<DWORD>(result.size() * sizeof(wchar_t)), nullptr, 0);
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ImmReleaseContext(box, context);
    win32_test::pump_messages();
}

// Answers every error box the command brings; the messages they showed.
class RefusalWatch {
  public:
    RefusalWatch()
        : watch_({[this] {
              if (const HWND box = find_thread_window(L"#32770", L"エラー")) {
                  messages.push_back(window_text(GetDlgItem(box, 0xFFFF)));
                  PostMessageW(box, WM_COMMAND, IDOK, 0);
              }
              return false;  // watching to the end
          }}) {}
    std::vector<std::u16string> messages;

  private:
    ModalWatch watch_;
};

TEST_F(ProgramTest, EveryWayInPassesTheGate) {
    platform::win32::ScintillaTextBox& box = program().form().text1();
    box.gate().set_limits({.box_bytes = 64, .line_bytes = 10});
    SetFocus(text1());
    const auto keys = [this](std::vector<int> held, UINT key) {
        return [this, held = std::move(held), key] { press(text1(), held, key); };
    };
    const auto typed = refusal_message(ChangeKind::typing, Verdict::line_too_long);
    const auto pasted = refusal_message(ChangeKind::paste, Verdict::line_too_long);
    const auto deleted = refusal_message(ChangeKind::deletion, Verdict::line_too_long);
    const std::u16string full_line = u"abcdefghij\r\n";
    const std::u16string two_lines = u"abcdefgh\r\nijklmnop";
    struct Case {
        const char* way;
        std::u16string text;
        Sci_Position anchor;
        Sci_Position caret;
        std::function<void()> change;
        std::u16string refusal;
    };
    const std::vector<Case> cases = {
        {"typing", full_line, 10, 10, keys({}, 'X'), typed},
        {"typing over a selection", full_line, 2, 3,
         [this] {
             PostMessageW(text1(), WM_CHAR, L'日', 1);
             win32_test::pump_messages();
         },
         typed},
        {"an input method's result", full_line, 10, 10, [this] { compose(text1(), L"日本"); },
         typed},
        {"Enter over lines it would join", two_lines, 7, 11, keys({}, VK_RETURN), deleted},
        {"Ctrl+V", full_line, 10, 10, keys({VK_CONTROL}, 'V'), pasted},
        {"Shift+Insert", full_line, 10, 10, keys({VK_SHIFT}, VK_INSERT), pasted},
        {"WM_PASTE", full_line, 5, 10, [this] { SendMessageW(text1(), WM_PASTE, 0, 0); }, pasted},
        {"the edit menu's paste", full_line, 10, 10,
         [this] {
             ModalWatch menu({[] {
                 const HWND shown = find_thread_window(L"#32768");
                 return shown != nullptr && PostMessageW(shown, WM_CHAR, L'p', 0);
             }});
             SendMessageW(text1(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text1()),
                          MAKELPARAM(-1, -1));
         },
         pasted},
        {"Backspace joining lines", two_lines, 10, 10, keys({}, VK_BACK), deleted},
        {"Ctrl+Backspace joining lines", two_lines, 10, 10, keys({VK_CONTROL}, VK_BACK), deleted},
        {"Delete joining lines", two_lines, 8, 8, keys({}, VK_DELETE), deleted},
        {"Shift+Delete cutting across lines", two_lines, 7, 11, keys({VK_SHIFT}, VK_DELETE),
         deleted},
    };
    for (const Case& c : cases) {
        box.set_text(c.text);
        SendMessageW(text1(), SCI_SETSEL, static_cast<WPARAM>(c.anchor), c.caret);
        win32_test::put_on_clipboard(text1(), L"貼り付け");
        std::vector<std::u16string> messages;
        {
            RefusalWatch watch;
            c.change();
            win32_test::pump_messages();
            messages = watch.messages;
        }
        EXPECT_EQ(box.text(), c.text) << c.way;
        EXPECT_EQ(win32_test::selection_of(text1()),
                  (win32_test::Selection{std::min(c.anchor, c.caret), std::max(c.anchor, c.caret)}))
            << c.way;
        EXPECT_EQ(messages, std::vector<std::u16string>{c.refusal}) << c.way;
        EXPECT_FALSE(SendMessageW(text1(), SCI_CANUNDO, 0, 0)) << c.way;
    }
}

// Undo and redo only go back and forth between texts the gate let through: a refusal between
// them leaves nothing of its own to undo.
TEST_F(ProgramTest, UndoAndRedoKeysStepOverARefusal) {
    platform::win32::ScintillaTextBox& box = program().form().text1();
    box.gate().set_limits({.box_bytes = 64, .line_bytes = 10});
    SetFocus(text1());
    box.set_text(u"abcdefgh");
    SendMessageW(text1(), SCI_DOCUMENTEND, 0, 0);
    press(text1(), {}, 'I');
    press(text1(), {}, 'J');
    {
        const RefusalWatch watch;
        press(text1(), {}, 'K');
    }
    EXPECT_EQ(box.text(), u"abcdefghij");
    press(text1(), {VK_CONTROL}, 'Z');
    EXPECT_EQ(box.text(), u"abcdefgh");
    press(text1(), {VK_CONTROL}, 'Y');
    EXPECT_EQ(box.text(), u"abcdefghij");
}

}  // namespace
