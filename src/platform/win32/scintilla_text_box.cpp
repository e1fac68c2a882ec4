// The Scintilla window behind Text1.
#include "platform/win32/scintilla_text_box.h"

#include <algorithm>
#include <utility>

#include "core/geometry/twips.h"
#include "core/host/host_error.h"
#include "core/window/form1_design.h"
#include "platform/scintilla/box_text.h"
#include "platform/scintilla/plain_text_setup.h"
#include "platform/win32/dpi.h"
#include "platform/win32/font_conversion.h"
#include "platform/win32/line_breaks.h"
#include "platform/win32/scintilla_classes.h"
#include "text/utf.h"

namespace platform::win32 {
namespace {

constexpr int text1_control_id = 1;

int system_colour(int index) {
    return static_cast<int>(GetSysColor(index));
}

scintilla::BoxColours system_colours() {
    return {
        .text = system_colour(COLOR_WINDOWTEXT),
        .background = system_colour(COLOR_WINDOW),
        .selected_text = system_colour(COLOR_HIGHLIGHTTEXT),
        .selected_background = system_colour(COLOR_HIGHLIGHT),
        .inactive_selected_text = system_colour(COLOR_WINDOWTEXT),
        .inactive_selected_background = system_colour(COLOR_BTNFACE),
        .caret = system_colour(COLOR_WINDOWTEXT),
    };
}

uptr_t system_caret_width() {
    DWORD width = 1;
    SystemParametersInfoW(SPI_GETCARETWIDTH, 0, &width, 0);
    return static_cast<uptr_t>(width);
}

}  // namespace

ScintillaTextBox::ScintillaTextBox() : rows_(break_opportunities) {}

ScintillaTextBox::~ScintillaTextBox() = default;

void ScintillaTextBox::create(HWND parent, HINSTANCE instance) {
    const Dpi dpi = window_dpi(parent);
    const int width = geometry::nearest_pixels_from_twips(window::text1_design_width_twips,
                                                          twips_per_pixel(dpi.x));
    const int height = geometry::nearest_pixels_from_twips(window::text1_design_height_twips,
                                                           twips_per_pixel(dpi.y));
    const HWND window = CreateWindowExW(
        WS_EX_CLIENTEDGE, scintilla_class_name, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0,
        width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(text1_control_id)),
        instance, nullptr);
    if (window == nullptr)
        throw host::HostError(u"テキストボックスを作成できませんでした。");
    call_ = window_call(window);
    window_ = window;
    scintilla::set_up_plain_text_box(call_);
    call_(SCI_SETCARETWIDTH, system_caret_width());
    scintilla::apply_colours(call_, system_colours());
    set_font(choice_from_logfont(realized_font(message_font(dpi.y)), dpi.y));
}

void ScintillaTextBox::set_text(std::u16string text) {
    scintilla::set_box_text(call_, gate_, std::move(text));
}

std::u16string ScintillaTextBox::text() const {
    return scintilla::box_text(call_);
}

void ScintillaTextBox::set_width(float twips) {
    resize({std::max(0, geometry::nearest_pixels_from_twips(twips, twips_per_pixel_x())),
            batched_size_.value_or(size()).cy});
}

void ScintillaTextBox::set_height(float twips) {
    resize({batched_size_.value_or(size()).cx,
            std::max(0, geometry::nearest_pixels_from_twips(twips, twips_per_pixel_y()))});
}

void ScintillaTextBox::on_notify(const SCNotification& notification) {
    rows_.on_notification(call_, notification);
    gate_.on_modified(notification);
    // What a Windows text box tells screen readers when its text changes.
    if (scintilla::ends_text_change(notification))
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

void ScintillaTextBox::on_system_colours_changed() {
    scintilla::apply_colours(call_, system_colours());
}

ScintillaTextBox::ResizeBatch::ResizeBatch(ScintillaTextBox& box) noexcept : box_(box) {
    ++box_.batches_;
}

ScintillaTextBox::ResizeBatch::~ResizeBatch() {
    if (--box_.batches_ == 0) {
        if (const std::optional<SIZE> size = std::exchange(box_.batched_size_, std::nullopt))
            box_.resize(*size);
    }
}

float ScintillaTextBox::twips_per_pixel_x() const {
    return twips_per_pixel(window_dpi(hwnd()).x);
}

float ScintillaTextBox::twips_per_pixel_y() const {
    return twips_per_pixel(window_dpi(hwnd()).y);
}

SIZE ScintillaTextBox::size() const {
    RECT rect{};
    GetWindowRect(hwnd(), &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void ScintillaTextBox::resize(SIZE pixels) {
    if (batches_ > 0) {
        batched_size_ = pixels;
        return;
    }
    const SIZE now = size();
    if (now.cx == pixels.cx && now.cy == pixels.cy)
        return;
    SetWindowPos(hwnd(), nullptr, 0, 0, pixels.cx, pixels.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform::win32
