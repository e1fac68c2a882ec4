// The EDIT control behind Text1.
#include "host/win32/edit_text_box.h"

#include <algorithm>
#include <string_view>
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

// Samples of the text a row holds, for the average widths of its characters.
constexpr std::wstring_view narrow_sample =
    L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::wstring_view wide_sample = L"日本語の文字とカタカナ、漢字。";

double average_width(HDC dc, std::wstring_view sample) {
    SIZE size{};
    GetTextExtentPoint32W(dc, sample.data(), static_cast<int>(sample.size()), &size);
    return static_cast<double>(size.cx) / static_cast<double>(sample.size());
}

}  // namespace

void EditTextBox::create(HWND parent, HINSTANCE instance) {
    const Dpi dpi = window_dpi(parent);
    const int width =
        host::nearest_pixels_from_twips(window::text1_design_width_twips, twips_per_pixel(dpi.x));
    const int height =
        host::nearest_pixels_from_twips(window::text1_design_height_twips, twips_per_pixel(dpi.y));
    // No scroll bars and no horizontal scrolling: long lines wrap at the right edge.
    hwnd_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0,
        width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(text1_control_id)),
        instance, nullptr);
    if (hwnd_ == nullptr)
        throw host::HostError(u"テキストボックスを作成できませんでした。");
    // As much as the user types, not only the default 32,767 characters.
    SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
    apply_font(choice_from_logfont(realized_font(message_font(dpi.y)), dpi.y));
}

EditTextBox::~EditTextBox() = default;

void EditTextBox::dpi_changed() {
    if (hwnd_ != nullptr)
        apply_font(font_);
}

void EditTextBox::set_text(std::u16string text) {
    const std::u16string_view whole[] = {text};
    if (!within_budget(layout_work(whole, row_geometry(hwnd_)))) {
        throw host::HostError(
            u"テキストが大きすぎるか、長すぎる行があるため、テキストボックスに表示できません。");
    }
    if (!SendMessageW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide_c_str(text))))
        throw host::HostError(u"テキストを表示できませんでした。");
    // A new text starts afresh: nothing to undo, the caret and the view at its top.
    SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(hwnd_, EM_SETSEL, 0, 0);
    SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

void EditTextBox::set_width(float twips) {
    resize({std::max(0, host::nearest_pixels_from_twips(twips, twips_per_pixel_x())), size().cy});
}

void EditTextBox::set_height(float twips) {
    resize({size().cx, std::max(0, host::nearest_pixels_from_twips(twips, twips_per_pixel_y()))});
}

void EditTextBox::set_font_name(const std::u16string& name) {
    host::FontChoice font = font_;
    font.name = name;
    apply_font(font);
}

void EditTextBox::set_font_bold(bool bold) {
    host::FontChoice font = font_;
    font.bold = bold;
    apply_font(font);
}

void EditTextBox::set_font_italic(bool italic) {
    host::FontChoice font = font_;
    font.italic = italic;
    apply_font(font);
}

void EditTextBox::set_font_size(float points) {
    host::FontChoice font = font_;
    font.size = points;
    apply_font(font);
}

float EditTextBox::twips_per_pixel_x() const {
    return twips_per_pixel(window_dpi(hwnd_).x);
}

float EditTextBox::twips_per_pixel_y() const {
    return twips_per_pixel(window_dpi(hwnd_).y);
}

SIZE EditTextBox::size() const {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void EditTextBox::resize(SIZE pixels) {
    SetWindowPos(hwnd_, nullptr, 0, 0, pixels.cx, pixels.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditTextBox::apply_font(const host::FontChoice& font) {
    const LOGFONTW description = logfont_from_choice(font, window_dpi(hwnd_).y);
    UniqueFont handle(CreateFontIndirectW(&description));
    if (!handle)
        throw host::HostError(u"フォントを作成できませんでした。");
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(handle.get()), TRUE);
    // The control has the new font before the old one is freed.
    font_handle_ = std::move(handle);
    font_ = font;
}

RowGeometry row_geometry(HWND edit) {
    RECT client{};
    GetClientRect(edit, &client);
    const auto margins = static_cast<DWORD>(SendMessageW(edit, EM_GETMARGINS, 0, 0));
    const ScreenDC dc;
    const HGDIOBJ old =
        SelectObject(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    const double narrow = average_width(dc.get(), narrow_sample);
    const double wide = average_width(dc.get(), wide_sample);
    SelectObject(dc.get(), old);
    return {.row_width = client.right - client.left - LOWORD(margins) - HIWORD(margins),
            .narrow_width = narrow,
            .wide_width = wide};
}

}  // namespace win32_host
