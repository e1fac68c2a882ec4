// The edit menu's items, their states and their commands.
#include "platform/scintilla/edit_menu.h"

namespace platform::scintilla {

EditMenuState edit_menu_state(const ScintillaCall& call, bool clipboard_has_text) {
    const Sci_Position start = call(SCI_GETSELECTIONSTART);
    const Sci_Position end = call(SCI_GETSELECTIONEND);
    return {
        .can_undo = call(SCI_CANUNDO) != 0,
        .has_selection = end > start,
        .can_paste = clipboard_has_text,
        .all_selected = start == 0 && end >= call(SCI_GETLENGTH),
        .read_only = call(SCI_GETREADONLY) != 0,
    };
}

std::vector<EditMenuItem> edit_menu_items(const EditMenuState& state) {
    const bool writable = !state.read_only;
    const EditMenuItem separator{};
    return {
        {EditCommand::undo, u"元に戻す(&U)", state.can_undo && writable},
        separator,
        {EditCommand::cut, u"切り取り(&T)", state.has_selection && writable},
        {EditCommand::copy, u"コピー(&C)", state.has_selection},
        {EditCommand::paste, u"貼り付け(&P)", state.can_paste && writable},
        {EditCommand::clear, u"削除(&D)", state.has_selection && writable},
        separator,
        {EditCommand::select_all, u"すべて選択(&A)", !state.all_selected},
    };
}

void run_edit_command(const ScintillaCall& call, EditCommand command,
                      const std::function<void()>& paste) {
    switch (command) {
        case EditCommand::undo:
            call(SCI_UNDO);
            break;
        case EditCommand::cut:
            call(SCI_CUT);
            break;
        case EditCommand::copy:
            call(SCI_COPY);
            break;
        case EditCommand::paste:
            paste();
            break;
        case EditCommand::clear:
            call(SCI_CLEAR);
            break;
        case EditCommand::select_all:
            call(SCI_SELECTALL);
            break;
    }
}

}  // namespace platform::scintilla
