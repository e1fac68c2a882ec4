// What a screen reader finds of Text1: an editable text with a name, the box's text as its
// value, and its focus, as a Windows text box gives them.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/window/form1_design.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handles.h"
#include "win32_test_support.h"

namespace {

using platform::win32::UniqueCom;
using win32_test::ProgramTest;

// Asked the way a screen reader asks, from oleacc (the program itself loads it only when asked).
HRESULT accessible_object(HWND window, LONG object_id, UniqueCom<IAccessible>& object) {
    using Function = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    static platform::win32::SystemLibrary oleacc(L"oleacc.dll");
    const auto from_window = oleacc.function<Function>("AccessibleObjectFromWindow");
    return from_window(window, static_cast<DWORD>(object_id), IID_IAccessible, object.out());
}

VARIANT self() {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

TEST_F(ProgramTest, ScreenReadersFindAnEditableTextWithItsValueAndFocus) {
    program().form().text1().set_text(u"一行目\r\n( ﾟдﾟ) two");
    SetFocus(text1());
    ASSERT_EQ(GetFocus(), text1());
    UniqueCom<IAccessible> box;
    ASSERT_EQ(accessible_object(text1(), OBJID_CLIENT, box), S_OK);
    ASSERT_TRUE(box);

    VARIANT role;
    ASSERT_EQ(box->get_accRole(self(), &role), S_OK);
    EXPECT_EQ(role.vt, VT_I4);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_TEXT);

    const auto text_of = [&](decltype(&IAccessible::get_accName) get) {
        BSTR text = nullptr;
        EXPECT_EQ((box.get()->*get)(self(), &text), S_OK);
        std::u16string copy = text != nullptr ? reinterpret_cast<const char16_t*>(text) : u"";
        SysFreeString(text);
        return copy;
    };
    EXPECT_EQ(text_of(&IAccessible::get_accName), window::text1_accessible_name);
    EXPECT_EQ(text_of(&IAccessible::get_accDescription), window::text1_accessible_description);
    EXPECT_EQ(text_of(&IAccessible::get_accValue), u"一行目\r\n( ﾟдﾟ) two");

    VARIANT state;
    ASSERT_EQ(box->get_accState(self(), &state), S_OK);
    EXPECT_EQ(state.lVal & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);

    // Where it is on screen, from the system's own object for the window.
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(box->accLocation(&left, &top, &width, &height, self()), S_OK);
    RECT client = win32_test::client_rect(text1());
    MapWindowPoints(text1(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(left, client.left);
    EXPECT_EQ(width, client.right - client.left);

    // Readers follow the caret through the system caret, which the box keeps while focused.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &thread));
    EXPECT_EQ(thread.hwndCaret, text1());
}

// The box's value changes a screen reader hears of, as WinEvents to this thread.
std::vector<HWND> value_changes;

void CALLBACK record_value_change(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    value_changes.push_back(window);
}

TEST_F(ProgramTest, ScreenReadersHearEveryChangeOfTheTextOnce) {
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE,
                                               nullptr, &record_value_change, GetCurrentProcessId(),
                                               GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    // A new text is a deletion and an insertion; the undo of a replacement is heard at its end.
    const std::pair<UINT, std::size_t> changes[] = {
        {SCI_SETTEXT, 2}, {WM_CHAR, 1}, {SCI_SELECTALL, 0}, {WM_CHAR, 2}, {SCI_UNDO, 1}};
    for (const auto& [message, heard] : changes) {
        value_changes.clear();
        SendMessageW(text1(), message, L'x', reinterpret_cast<LPARAM>("abc"));
        win32_test::pump_messages();
        EXPECT_EQ(value_changes, std::vector<HWND>(heard, text1())) << message;
    }
    UnhookWinEvent(hook);
}

// A screen reader may hold the object after the box, and the program, are gone: the system's
// object inside it, from oleacc, must still be there to release.
TEST(AccessibleTest, TheObjectOutlivesTheProgram) {
    auto program = std::make_unique<platform::win32::Win32Program>(GetModuleHandleW(nullptr));
    program->start();
    win32_test::pump_messages();
    const LRESULT handed = SendMessageW(program->form().text1().hwnd(), WM_GETOBJECT, 0,
                                        static_cast<LPARAM>(OBJID_CLIENT));
    // Taken from the oleacc the program loaded, without loading it once more.
    using Function = HRESULT(WINAPI*)(LRESULT, REFIID, WPARAM, void**);
    const auto from_lresult = platform::win32::exported_function<Function>(
        GetModuleHandleW(L"oleacc.dll"), "ObjectFromLresult");
    ASSERT_NE(from_lresult, nullptr);
    UniqueCom<IAccessible> box;
    ASSERT_EQ(from_lresult(handed, IID_IAccessible, 0, box.out()), S_OK);
    program.reset();
    win32_test::pump_messages();
    // COM may hold oleacc a while longer, for its proxies; once it lets go (here: every holder
    // but a pin), oleacc must stay.
    for (int release = 0; release < 8 && GetModuleHandleW(L"oleacc.dll") != nullptr; ++release)
        FreeLibrary(GetModuleHandleW(L"oleacc.dll"));
    EXPECT_NE(GetModuleHandleW(L"oleacc.dll"), nullptr);
    BSTR name = nullptr;
    EXPECT_EQ(box->get_accName(self(), &name), CO_E_OBJNOTCONNECTED);
    box.reset();
}

}  // namespace
