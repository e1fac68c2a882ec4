// The command menu's model: order, names, captions, separators and the check mark.
#include <gtest/gtest.h>

#include "core/window/command_menu.h"
#include "text/utf.h"

namespace {

using window::CommandMenu;
using window::MenuItem;

TEST(CommandMenuTest, EightEntriesInOrderWithExactCaptionsAndOneCheckableItem) {
    const CommandMenu menu;
    const host::PopupMenu popup = menu.popup();
    struct Expected {
        MenuItem item;
        std::string caption;
        bool separator, checkable, checked;
    };
    const std::vector<Expected> expected{
        {MenuItem::IDM_open, "開く", false, false, false},
        {MenuItem::IDM_save, "保存", false, false, false},
        {MenuItem::IDM_overwrite, "上書き保存", false, false, false},
        {MenuItem::senn, "-", true, false, false},
        {MenuItem::IDM_font_set, "フォント", false, false, false},
        {MenuItem::IDM_top_on_set, "常にケロミナする", false, true, true},
        {MenuItem::sen, "-", true, false, false},
        {MenuItem::IDM_end_set, "終わる", false, false, false},
    };
    EXPECT_EQ(text::utf8_from_utf16(popup.caption), "hoppu");
    ASSERT_EQ(popup.entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& entry = popup.entries[i];
        EXPECT_EQ(window::menu_items[i].item, expected[i].item) << i;
        EXPECT_EQ(text::utf8_from_utf16(entry.caption), expected[i].caption) << i;
        EXPECT_EQ(entry.separator, expected[i].separator) << i;
        EXPECT_EQ(entry.checkable, expected[i].checkable) << i;
        EXPECT_EQ(entry.checked, expected[i].checked) << i;
    }
}

TEST(CommandMenuTest, IdsMapBackToCommandsButNeverToSeparatorsOrStrangers) {
    const host::PopupMenu popup = CommandMenu{}.popup();
    for (std::size_t i = 0; i < popup.entries.size(); ++i) {
        const auto item = CommandMenu::item_from_id(popup.entries[i].id);
        if (popup.entries[i].separator) {
            EXPECT_FALSE(item) << i;
        } else {
            ASSERT_TRUE(item) << i;
            EXPECT_EQ(*item, window::menu_items[i].item);
        }
    }
    EXPECT_FALSE(CommandMenu::item_from_id(-1));
    EXPECT_FALSE(CommandMenu::item_from_id(8));
}

TEST(CommandMenuTest, CheckMarkIsShownAsSetForTheNextPopupAndStaysCheckableWhenOff) {
    CommandMenu menu;
    for (const bool checked : {false, true, false}) {
        menu.set_top_on_checked(checked);
        const host::PopupMenuEntry top_on = menu.popup().entries.at(5);
        EXPECT_EQ(top_on.checked, checked);
        EXPECT_TRUE(top_on.checkable) << checked;
    }
}

}  // namespace
