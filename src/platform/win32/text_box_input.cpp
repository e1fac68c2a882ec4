// Text1's subclass procedure.
#include "platform/win32/text_box_input.h"

#include <windowsx.h>

#include "platform/win32/dpi.h"
#include "platform/win32/error_box.h"
#include "platform/win32/mouse_press.h"
#include "platform/win32/win_edit_menu.h"

namespace platform::win32 {
namespace {

bool key_down(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// Ctrl+V and Shift+Insert, which are not in the box's key map: pasted here, once a press.
bool is_paste_key(WPARAM key) {
    return (key == 'V' && key_down(VK_CONTROL) && !key_down(VK_MENU)) ||
           (key == VK_INSERT && key_down(VK_SHIFT) && !key_down(VK_CONTROL));
}

// What TranslateMessage makes of Ctrl with a letter (0x16 for Ctrl+V), of Escape, Backspace and
// Enter. Scintilla would type the ones whose key it has no command for into the text, as
// symbols; a Windows text box types none of them. A tab is typed.
bool is_control_character(WPARAM character) {
    return character != L'\t' && (character < 0x20 || character == 0x7F);
}

// A client point of the control, measured from its window's corner instead (frame included):
// the text box's own coordinates.
POINT point_in_window(HWND control, POINT client_point) {
    POINT screen = client_point;
    ClientToScreen(control, &screen);
    RECT window{};
    GetWindowRect(control, &window);
    return {screen.x - window.left, screen.y - window.top};
}

// Messages this hook answers in Scintilla's place: should answering fail, Scintilla's own
// handling must not run instead (its paste is unbounded and would paste a second time).
bool answered_here(UINT message, WPARAM wparam) {
    switch (message) {
        case WM_PASTE:
        case SCI_PASTE:
        case WM_CONTEXTMENU:
            return true;
        case WM_KEYDOWN:
            return is_paste_key(wparam);
        default:
            return false;
    }
}

}  // namespace

TextBoxInput::~TextBoxInput() = default;

void TextBoxInput::attach(ScintillaTextBox& box, common::FailureReporter& failures) {
    failures_ = &failures;
    box_ = &box;
    hook_.attach(box.hwnd(), &TextBoxInput::procedure, this);
}

LRESULT TextBoxInput::procedure(void* self, HWND box, UINT message, WPARAM wparam,
                                LPARAM lparam) noexcept {
    auto* const input = static_cast<TextBoxInput*>(self);
    ++input->depth_;
    LRESULT result = 0;
    if (!input->failures_->guarded(
            [&] { result = input->handle_message(box, message, wparam, lparam); }) &&
        !answered_here(message, wparam)) {
        // What the hook only looks at on its way (a press the core failed on, say) still
        // reaches the box.
        result = Hook::call_next(box, message, wparam, lparam);
    }
    // A command is over once the outermost message has returned, outside every notification
    // of Scintilla's: a refused change is said then. The box's own modal loop runs one level
    // down, so the keys it lets through are not said in boxes of their own.
    if (input->depth_ == 1)
        input->failures_->guarded([input] { input->settle_changes(); });
    --input->depth_;
    return result;
}

void TextBoxInput::settle_changes() {
    if (box_ == nullptr)
        return;
    if (const std::optional<std::u16string> refusal = box_->gate().settle()) {
        show_error_box(GetParent(box_->hwnd()), refusal->c_str(), MB_ICONWARNING);
        // Keys typed on while the box was up were refused for the same reason.
        if (box_ != nullptr)
            box_->gate().settle();
    }
}

LRESULT TextBoxInput::handle_message(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (on_button_down(message, wparam, lparam))
                return 0;
            break;
        case WM_CONTEXTMENU:
            on_context_menu(lparam);
            return 0;
        case WM_SETCURSOR:
            if (on_set_cursor(wparam, lparam))
                return TRUE;
            break;
        case WM_PASTE:
        case SCI_PASTE:
            paste_plain_text(*box_);
            return 0;
        case WM_KEYDOWN:
            if (is_paste_key(wparam)) {
                paste_plain_text(*box_);
                return 0;
            }
            break;
        case WM_CHAR:
            if (is_control_character(wparam))
                return 0;
            break;
        case WM_MOUSEWHEEL:
            // Scintilla zooms on Ctrl + wheel; a text box scrolls.
            wparam &= ~static_cast<WPARAM>(MK_CONTROL);
            break;
        case WM_GETOBJECT:
            if (const std::optional<LRESULT> object =
                    accessibility_.object_for(box, wparam, lparam))
                return *object;
            break;
        case WM_DROPFILES:
            // Files dropped from the shell are Form1's to open, wherever they land.
            if (const HWND form = GetParent(box); form != nullptr)
                return SendMessageW(form, message, wparam, lparam);
            break;
        case WM_NCDESTROY:
            box_ = nullptr;
            break;
        default:
            break;
    }
    return Hook::call_next(box, message, wparam, lparam);
}

bool TextBoxInput::on_button_down(UINT message, WPARAM wparam, LPARAM lparam) {
    context_menu_gate_.pressed(false);
    if (events_ == nullptr)
        return false;
    const Dpi dpi = window_dpi(box_->hwnd());
    const POINT at = point_in_window(box_->hwnd(), {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
    const host::MouseDown press = mouse_down_from_message(
        message, wparam, at, key_down(VK_MENU), twips_per_pixel(dpi.x), twips_per_pixel(dpi.y));
    // The core may end the program from its menu, destroying the control under this call.
    const bool opened_program_menu = events_->on_text_mouse_down(press);
    context_menu_gate_.pressed(opened_program_menu);
    return opened_program_menu;
}

void TextBoxInput::on_context_menu(LPARAM lparam) {
    const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    // The menu key sends (-1, -1).
    const bool from_keyboard = at.x == -1 && at.y == -1;
    if (context_menu_gate_.allows_context_menu(from_keyboard))
        show_edit_menu(*box_, at);
}

// A busy window keeps its wait cursor over the text box too.
bool TextBoxInput::on_set_cursor(WPARAM wparam, LPARAM lparam) {
    const HWND parent = GetParent(box_->hwnd());
    return parent != nullptr && SendMessageW(parent, WM_SETCURSOR, wparam, lparam) != FALSE;
}

}  // namespace platform::win32
