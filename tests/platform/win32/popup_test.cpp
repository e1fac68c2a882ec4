// The command menu on Win32: Shift + right press on Text1 opens it; nothing else does, and the
// edit menu does not follow it.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/window/command_menu.h"
#include "modal_watch.h"
#include "platform/win32/win_popup_menu.h"
#include "win32_test_support.h"

namespace {

using win32_test::find_thread_window;
using win32_test::menu_of_window;
using win32_test::MenuItemView;
using win32_test::ModalWatch;
using win32_test::ProgramTest;
using win32_test::read_menu;

// The popup as the core describes it, as GetMenuItemInfoW reads it back.
std::vector<MenuItemView> expected_command_menu(bool top_on_checked) {
    std::vector<MenuItemView> items;
    for (const window::MenuItemInfo& info : window::menu_items) {
        const bool separator = info.caption == u"-";
        items.push_back({
            .caption = separator ? u"" : std::u16string(info.caption),
            .separator = separator,
            .checked = info.item == window::MenuItem::IDM_top_on_set && top_on_checked,
            .enabled = !separator,  // as a menu reads back a separator
            .id =
                separator ? 0 : platform::win32::command_from_entry_id(static_cast<int>(info.item)),
        });
    }
    return items;
}

bool is_command_menu(const std::vector<MenuItemView>& items) {
    return !items.empty() && items.front().caption == window::menu_items.front().caption;
}

// Every menu that opens while it lives is read and dismissed.
class MenuRecorder {
  public:
    MenuRecorder()
        : watch_({[this] {
              if (const HWND menu = find_thread_window(L"#32768")) {
                  menus.push_back(read_menu(menu_of_window(menu)));
                  rects.push_back(win32_test::window_rect(menu));
                  EndMenu();
              }
              return false;
          }}) {}

    std::vector<std::vector<MenuItemView>> menus;
    std::vector<RECT> rects;

  private:
    ModalWatch watch_;
};

LPARAM client_point(POINT point) {
    return MAKELPARAM(point.x, point.y);
}

TEST_F(ProgramTest, ShiftRightPressOpensTheCommandMenuAtThePointer) {
    for (const bool top_on : {true, false}) {
        if (top_on != program().core().hoppu().top_on_checked()) {
            program().core().on_menu_click(window::MenuItem::IDM_top_on_set);
        }
        const POINT press{40, 30};
        const MenuRecorder recorder;
        SendMessageW(text1(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, client_point(press));
        ASSERT_EQ(recorder.menus.size(), 1u);
        EXPECT_EQ(recorder.menus[0], expected_command_menu(top_on));
        POINT screen = press;
        ClientToScreen(text1(), &screen);
        EXPECT_EQ(recorder.rects[0].left, screen.x);
        EXPECT_EQ(recorder.rects[0].top, screen.y);
    }
}

TEST_F(ProgramTest, OtherPressesOpenNothingOfOurs) {
    struct Case {
        UINT message;
        WPARAM flags;
        bool alt;
    };
    const std::vector<Case> cases = {
        {WM_RBUTTONDOWN, MK_RBUTTON, false},
        {WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, false},
        {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, false},
        {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, true},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, false},
        {WM_MBUTTONDOWN, MK_MBUTTON | MK_SHIFT, false},
    };
    for (const Case& c : cases) {
        // Alt is read from the keyboard state, not from the message.
        std::array<BYTE, 256> keys{};
        GetKeyboardState(keys.data());
        keys[VK_MENU] = c.alt ? 0x80 : 0;
        SetKeyboardState(keys.data());
        ASSERT_EQ((GetKeyState(VK_MENU) & 0x8000) != 0, c.alt);

        const MenuRecorder recorder;
        SendMessageW(text1(), c.message, c.flags, client_point({40, 30}));
        EXPECT_TRUE(recorder.menus.empty()) << c.message << " " << c.flags << " " << c.alt;
        SendMessageW(text1(), c.message + 1, 0, client_point({40, 30}));  // the button's up

        keys[VK_MENU] = 0;
        SetKeyboardState(keys.data());
    }
}

// The system turns a right click's button-up into WM_CONTEXTMENU: a plain click gets the edit
// menu from it, the click that opened our menu gets nothing more.
TEST_F(ProgramTest, RightClicksGetOneMenuEach) {
    struct Case {
        WPARAM flags;
        bool command_menu;
    };
    const std::vector<Case> cases = {
        {MK_SHIFT, true},
        {0, false},
        {MK_SHIFT, true},
        {MK_SHIFT | MK_CONTROL, false},
    };
    const POINT press{50, 20};
    for (const Case& c : cases) {
        const MenuRecorder recorder;
        SendMessageW(text1(), WM_RBUTTONDOWN, MK_RBUTTON | c.flags, client_point(press));
        SendMessageW(text1(), WM_RBUTTONUP, c.flags, client_point(press));
        ASSERT_EQ(recorder.menus.size(), 1u) << c.flags;
        EXPECT_EQ(is_command_menu(recorder.menus[0]), c.command_menu) << c.flags;
    }
}

TEST_F(ProgramTest, TheMenuKeyAfterOurMenuStillGivesTheEditMenu) {
    const MenuRecorder recorder;
    SendMessageW(text1(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, client_point({30, 30}));
    SendMessageW(text1(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text1()), MAKELPARAM(-1, -1));
    ASSERT_EQ(recorder.menus.size(), 2u);
    EXPECT_TRUE(is_command_menu(recorder.menus[0]));
    EXPECT_FALSE(is_command_menu(recorder.menus[1]));
}

TEST_F(ProgramTest, ChoosingAnItemRunsItsCommand) {
    // Down to the stay-on-top item, over the separator, and Enter.
    const int downs = 5;
    ModalWatch watch({[&] {
        const HWND menu = find_thread_window(L"#32768");
        if (menu == nullptr)
            return false;
        for (int i = 0; i < downs; ++i)
            PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    }});
    ASSERT_TRUE(program().core().hoppu().top_on_checked());
    SendMessageW(text1(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, client_point({30, 30}));
    EXPECT_TRUE(watch.finished());
    EXPECT_FALSE(program().core().hoppu().top_on_checked());
    EXPECT_EQ(GetWindowLongPtrW(form(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

}  // namespace
