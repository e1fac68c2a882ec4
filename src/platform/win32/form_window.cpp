// Form1's window procedure and creation.
#include "platform/win32/form_window.h"

#include "core/geometry/twips.h"
#include "core/window/form1_design.h"
#include "platform/win32/dropped_files.h"
#include "platform/win32/resources.h"
#include "text/win32/wide_strings.h"

namespace platform::win32 {
namespace {

constexpr DWORD form1_style = WS_OVERLAPPEDWINDOW;
// Files dropped from the shell arrive as WM_DROPFILES: the style is all DragAcceptFiles sets, and
// setting it here keeps shell32 from being loaded at start-up for it.
constexpr DWORD form1_ex_style = WS_EX_ACCEPTFILES;
constexpr int application_icon_id = ONTOP_ICON_ID;
// Windows 10's message telling a child its parent's DPI changed; its header hides it from
// programs that run on Windows 7 as well.
constexpr UINT dpi_changed_after_parent = 0x02E3;

// The class has no icon: the window gets its icons once shown (FormWindow::show_icons).
WNDCLASSEXW form1_class(HINSTANCE instance) {
    WNDCLASSEXW window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = form1_class_name;
    return window_class;
}

}  // namespace

FormWindow::FormWindow(HINSTANCE instance) {
    register_class(form1_class(instance));
    create(form1_ex_style, form1_class_name,
           text::wide_c_str(std::u16string(window::form1_initial_caption)), form1_style,
           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, instance);
    size_client_area();
    text1_.create(hwnd(), instance);
    // The box passes its drops on to this window (TextBoxInput).
    SetWindowLongPtrW(text1_.hwnd(), GWL_EXSTYLE,
                      GetWindowLongPtrW(text1_.hwnd(), GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    text1_input_.attach(text1_, failures());
}

FormWindow::~FormWindow() {
    events_ = nullptr;
    text1_input_.set_events(nullptr);
    ends_program_ = false;
    destroy();
}

void FormWindow::show_icons() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd(), GWLP_HINSTANCE));
    // Shared: the system keeps one of each, however many windows show them.
    const auto load = [instance](int width_metric, int height_metric) {
        return reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(application_icon_id),
                                                   IMAGE_ICON, GetSystemMetrics(width_metric),
                                                   GetSystemMetrics(height_metric), LR_SHARED));
    };
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, load(SM_CXICON, SM_CYICON));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, load(SM_CXSMICON, SM_CYSMICON));
}

void FormWindow::set_events(host::WindowEvents* events) noexcept {
    events_ = events;
    text1_input_.set_events(events);
}

void FormWindow::set_busy(bool busy) {
    busy_ = busy;
    if (busy) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return;
    }
    // Whatever lies under the pointer puts its own cursor back.
    POINT pointer{};
    GetCursorPos(&pointer);
    const HWND under = WindowFromPoint(pointer);
    if (under != nullptr && (under == hwnd() || IsChild(hwnd(), under))) {
        const auto hit = static_cast<WORD>(
            SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(pointer.x, pointer.y)));
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(hit, WM_MOUSEMOVE));
    } else {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
}

LRESULT FormWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE:
            on_size();
            return 0;
        case WM_NOTIFY:
            on_notify(*reinterpret_cast<const NMHDR*>(lparam));
            return 0;
        case WM_SYSCOLORCHANGE:
            text1_.on_system_colours_changed();
            // Children hear of it only from their parent.
            SendMessageW(text1_.hwnd(), message, wparam, lparam);
            return 0;
        case WM_SETFOCUS:
            if (text1_.hwnd() != nullptr)
                SetFocus(text1_.hwnd());
            return 0;
        case WM_SETCURSOR:
            return on_set_cursor(wparam, lparam) ? TRUE : FALSE;
        case WM_DPICHANGED:
            on_dpi_changed(*reinterpret_cast<const RECT*>(lparam));
            return 0;
        case WM_DROPFILES:
            on_drop_files(reinterpret_cast<HDROP>(wparam));
            return 0;
        case WM_DESTROY:
            on_destroy();
            return 0;
        default:
            break;
    }
    return default_handling(message, wparam, lparam);
}

void FormWindow::size_client_area() {
    const Dpi dpi = this->dpi();
    const SIZE client{geometry::nearest_pixels_from_twips(window::form1_client_width_twips,
                                                          twips_per_pixel(dpi.x)),
                      geometry::nearest_pixels_from_twips(window::form1_client_height_twips,
                                                          twips_per_pixel(dpi.y))};
    const SIZE outer = window_size_for_client(client, form1_style, form1_ex_style, dpi.y);
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::on_size() {
    if (events_ != nullptr && text1_.hwnd() != nullptr) {
        const ScintillaTextBox::ResizeBatch one_move(text1_);
        events_->on_resize();
    }
}

void FormWindow::on_notify(const NMHDR& header) {
    if (header.hwndFrom == text1_.hwnd() && text1_.hwnd() != nullptr)
        text1_.on_notify(reinterpret_cast<const SCNotification&>(header));
}

bool FormWindow::on_set_cursor(WPARAM wparam, LPARAM lparam) {
    if (busy_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return true;
    }
    // Not busy: a child's cursor is the child's own business, so the default class cursor of
    // this window must not be put over it.
    if (reinterpret_cast<HWND>(wparam) != hwnd())
        return false;
    return default_handling(WM_SETCURSOR, wparam, lparam) != FALSE;
}

void FormWindow::on_dpi_changed(const RECT& suggested) {
    // The box sizes its font in points for its window's DPI, once told it changed.
    SendMessageW(text1_.hwnd(), dpi_changed_after_parent, 0, 0);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::on_drop_files(HDROP drop) {
    const std::vector<host::GivenFile> files = take_dropped_files(shell32_, drop);
    // Disabled, the window has a modal window of the program's over it, which keeps the menu's
    // clicks from it too.
    if (events_ != nullptr && IsWindowEnabled(hwnd()))
        events_->on_files_given(files);
}

void FormWindow::on_destroy() {
    if (ends_program_)
        PostQuitMessage(0);
}

}  // namespace platform::win32
