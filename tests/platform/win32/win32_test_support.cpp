// Read-back helpers and the program fixture.
#include "win32_test_support.h"

#include <array>
#include <cstring>

#include "text/utf.h"
#include "text/win32/wide_strings.h"

namespace win32_test {

using text::u16_from_wstring;

std::u16string u16_path(const std::filesystem::path& path) {
    return text::u16_from_wstring(path.wstring());
}

std::u16string window_text(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text::u16_from_wstring(text);
}

std::u16string class_name(HWND hwnd) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
    return text::u16_from_wstring(std::wstring_view(name, static_cast<std::size_t>(length)));
}

RECT window_rect(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT client_rect(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return rect;
}

void set_client_width(HWND hwnd, int width, int height) {
    const RECT outer = window_rect(hwnd);
    const RECT inner = client_rect(hwnd);
    const int frame = (outer.right - outer.left) - (inner.right - inner.left);
    SetWindowPos(hwnd, nullptr, 0, 0, width + frame, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

host::FontChoice style_font(HWND text_box, int style) {
    std::string face(static_cast<std::size_t>(
                         SendMessageW(text_box, SCI_STYLEGETFONT, static_cast<WPARAM>(style), 0)),
                     '\0');
    SendMessageW(text_box, SCI_STYLEGETFONT, static_cast<WPARAM>(style),
                 reinterpret_cast<LPARAM>(face.data()));
    return {
        .name = text::utf16_from_utf8(face),
        .bold = SendMessageW(text_box, SCI_STYLEGETWEIGHT, static_cast<WPARAM>(style), 0) >=
                SC_WEIGHT_SEMIBOLD,
        .italic = SendMessageW(text_box, SCI_STYLEGETITALIC, static_cast<WPARAM>(style), 0) != 0,
        .size = static_cast<float>(SendMessageW(text_box, SCI_STYLEGETSIZEFRACTIONAL,
                                                static_cast<WPARAM>(style), 0)) /
                100.0f,
    };
}

}  // namespace

host::FontChoice shown_font(HWND text_box) {
    host::FontChoice font = style_font(text_box, STYLE_DEFAULT);
    for (const int style : {0, 1, 2}) {
        if (!(style_font(text_box, style) == font))
            font.name.clear();
    }
    return font;
}

std::u16string box_text(HWND text_box) {
    const auto length = static_cast<std::size_t>(SendMessageW(text_box, SCI_GETLENGTH, 0, 0));
    std::string bytes(length + 1, '\0');
    SendMessageW(text_box, SCI_GETTEXT, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
    bytes.resize(length);
    return text::utf16_from_utf8(bytes);
}

void select(HWND text_box, Sci_Position anchor, Sci_Position caret) {
    SendMessageW(text_box, SCI_SETSEL, static_cast<WPARAM>(anchor), caret);
}

Selection selection_of(HWND text_box) {
    return {SendMessageW(text_box, SCI_GETSELECTIONSTART, 0, 0),
            SendMessageW(text_box, SCI_GETSELECTIONEND, 0, 0)};
}

void paint_now(HWND hwnd) {
    pump_messages();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void press(HWND box, const std::vector<int>& held, UINT key) {
    std::array<BYTE, 256> state{};
    for (const int k : held)
        state[static_cast<std::size_t>(k)] = 0x80;
    state[key] = 0x80;
    SetKeyboardState(state.data());
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    const bool alt = state[VK_MENU] != 0;
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    const auto lparam_down = static_cast<LPARAM>(1 | (scan << 16) | (alt ? 1u << 29 : 0u));
    PostMessageW(box, down, key, lparam_down);
    pump_messages();
    state[key] = 0;
    SetKeyboardState(state.data());
    PostMessageW(box, up, key, lparam_down | static_cast<LPARAM>(3u << 30));
    pump_messages();
    state.fill(0);
    SetKeyboardState(state.data());
}

void put_on_clipboard(HWND owner, std::u16string_view text) {
    put_block_on_clipboard(owner, std::u16string(text) + u'\0', (text.size() + 1) * 2);
}

void put_block_on_clipboard(HWND owner, std::u16string_view units, std::size_t bytes) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), units.data(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    if (void* const kept = GlobalLock(memory)) {
        std::memcpy(kept, units.data(), bytes);
        GlobalUnlock(memory);
    }
    CloseClipboard();
}

void clear_clipboard(HWND owner) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    CloseClipboard();
}

std::vector<MenuItemView> read_menu(HMENU menu) {
    std::vector<MenuItemView> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t caption[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = static_cast<UINT>(std::size(caption));
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.push_back({
            .caption = separator ? u"" : text::u16_from_wstring(caption),
            .separator = separator,
            .checked = (info.fState & MFS_CHECKED) != 0,
            // Some systems mark separators disabled, some not: nobody can choose one anyway.
            .enabled = !separator && (info.fState & MFS_DISABLED) == 0,
            .id = info.wID,
        });
    }
    return items;
}

HMENU menu_of_window(HWND menu_window) {
    return reinterpret_cast<HMENU>(SendMessageW(menu_window, MN_GETHMENU, 0, 0));
}

void PrintTo(const MenuItemView& item, std::ostream* out) {
    *out << "{\"" << text::utf8_from_utf16(item.caption) << "\""
         << (item.separator ? " separator" : "") << (item.checked ? " checked" : "")
         << (item.enabled ? "" : " grey") << " id " << item.id << "}";
}

std::optional<int> pump_messages() {
    std::optional<int> exit_code;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            exit_code = static_cast<int>(message.wParam);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return exit_code;
}

void ProgramTest::SetUp() {
    program_ = std::make_unique<platform::win32::Win32Program>(GetModuleHandleW(nullptr));
    program_->start();
    pump_messages();
}

void ProgramTest::TearDown() {
    program_.reset();
    // Nothing a test left behind, a WM_QUIT above all, may reach the next test's loops.
    pump_messages();
}

}  // namespace win32_test

namespace host {

void PrintTo(const FontChoice& font, std::ostream* out) {
    *out << "{\"" << text::utf8_from_utf16(font.name) << "\"" << (font.bold ? " bold" : "")
         << (font.italic ? " italic" : "") << " " << font.size << " pt}";
}

}  // namespace host
