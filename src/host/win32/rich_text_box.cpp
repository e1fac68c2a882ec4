// The rich edit control behind Text1.
#include "host/win32/rich_text_box.h"

#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "host/host_error.h"
#include "host/twips.h"
#include "host/win32/dpi.h"
#include "host/win32/font_conversion.h"
#include "host/win32/wide_strings.h"
#include "window/form1_design.h"

namespace win32_host {
namespace {

constexpr int text1_control_id = 1;
// As much text as memory holds: the control's own default stops at 32,767 characters.
constexpr LPARAM text_limit = 0x7FFFFFFE;
constexpr LONG twips_per_point = 20;

// The rich edit control's character format for the whole text and for what is typed next.
CHARFORMAT2W char_format_of(const LOGFONTW& font, float points) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_WEIGHT | CFM_CHARSET;
    format.dwEffects =
        (font.lfWeight >= FW_SEMIBOLD ? CFE_BOLD : 0) | (font.lfItalic != 0 ? CFE_ITALIC : 0);
    format.yHeight = static_cast<LONG>(std::lround(points * twips_per_point));
    format.wWeight = static_cast<WORD>(font.lfWeight);
    format.bCharSet = font.lfCharSet;
    std::copy(std::begin(font.lfFaceName), std::end(font.lfFaceName), format.szFaceName);
    return format;
}

}  // namespace

void RichTextBox::create(HWND parent, HINSTANCE instance) {
    const Dpi dpi = window_dpi(parent);
    const int width =
        host::nearest_pixels_from_twips(window::text1_design_width_twips, twips_per_pixel(dpi.x));
    const int height =
        host::nearest_pixels_from_twips(window::text1_design_height_twips, twips_per_pixel(dpi.y));
    // No scroll bars and no horizontal scrolling: long lines wrap at the right edge.
    hwnd_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0,
        width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(text1_control_id)),
        instance, nullptr);
    if (hwnd_ == nullptr)
        throw host::HostError(u"テキストボックスを作成できませんでした。");
    font_hook_.attach(hwnd_, &RichTextBox::font_procedure, this);
    SendMessageW(hwnd_, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
    SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, text_limit);
    SendMessageW(hwnd_, EM_SETTARGETDEVICE, 0, 0);  // wrap at the window's edge
    apply_font(choice_from_logfont(realized_font(message_font(dpi.y)), dpi.y));
}

RichTextBox::~RichTextBox() = default;

LRESULT RichTextBox::font_procedure(void* self, HWND edit, UINT message, WPARAM wparam,
                                    LPARAM lparam) noexcept {
    auto* const box = static_cast<RichTextBox*>(self);
    if (message == WM_GETFONT)
        return reinterpret_cast<LRESULT>(box->font_handle_.get());
    if (message == WM_NCDESTROY)
        box->hwnd_ = nullptr;
    return WindowHook<HookSlot::text_box_font>::call_next(edit, message, wparam, lparam);
}

void RichTextBox::dpi_changed() {
    if (hwnd_ != nullptr)
        apply_font(font_);
}

void RichTextBox::set_text(std::u16string text) {
    if (!SendMessageW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide_c_str(text)))) {
        throw host::HostError(u"テキストを表示できませんでした。");
    }
    // A new text starts afresh: nothing to undo, the caret and the view at its top.
    SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(hwnd_, EM_SETSEL, 0, 0);
    SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

void RichTextBox::set_width(float twips) {
    resize({std::max(0, host::nearest_pixels_from_twips(twips, twips_per_pixel_x())), size().cy});
}

void RichTextBox::set_height(float twips) {
    resize({size().cx, std::max(0, host::nearest_pixels_from_twips(twips, twips_per_pixel_y()))});
}

void RichTextBox::set_font_name(const std::u16string& name) {
    host::FontChoice font = font_;
    font.name = name;
    apply_font(font);
}

void RichTextBox::set_font_bold(bool bold) {
    host::FontChoice font = font_;
    font.bold = bold;
    apply_font(font);
}

void RichTextBox::set_font_italic(bool italic) {
    host::FontChoice font = font_;
    font.italic = italic;
    apply_font(font);
}

void RichTextBox::set_font_size(float points) {
    host::FontChoice font = font_;
    font.size = points;
    apply_font(font);
}

float RichTextBox::twips_per_pixel_x() const {
    return twips_per_pixel(window_dpi(hwnd_).x);
}

float RichTextBox::twips_per_pixel_y() const {
    return twips_per_pixel(window_dpi(hwnd_).y);
}

SIZE RichTextBox::size() const {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void RichTextBox::resize(SIZE pixels) {
    SetWindowPos(hwnd_, nullptr, 0, 0, pixels.cx, pixels.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RichTextBox::apply_font(const host::FontChoice& font) {
    const int dpi = window_dpi(hwnd_).y;
    const LOGFONTW description = logfont_from_choice(font, dpi);
    UniqueFont handle(CreateFontIndirectW(&description));
    if (!handle)
        throw host::HostError(u"フォントを作成できませんでした。");
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(handle.get()), FALSE);
    CHARFORMAT2W format = char_format_of(description, font.size);
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    InvalidateRect(hwnd_, nullptr, TRUE);
    // The control has the new font before the old one is freed.
    font_handle_ = std::move(handle);
    font_ = font;
}

}  // namespace win32_host
