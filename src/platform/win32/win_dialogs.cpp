// The common dialogs on Win32.
#include "platform/win32/win_dialogs.h"

#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <string>

#include "core/host/host_error.h"
#include "platform/win32/dpi.h"
#include "platform/win32/error_box.h"
#include "platform/win32/font_conversion.h"
#include "platform/win32/form_window.h"
#include "platform/win32/open_filter.h"
#include "text/win32/wide_strings.h"

namespace platform::win32 {
namespace {

// Room for the longest path the system allows, not just MAX_PATH.
constexpr std::size_t path_buffer_size = 32768;

// A dialog that returned FALSE was either cancelled (no error) or could not be shown.
void check_dialog_failure(SystemLibrary& comdlg32, std::u16string_view dialog) {
    const DWORD error =
        comdlg32.function<decltype(&CommDlgExtendedError)>("CommDlgExtendedError")();
    if (error == 0)
        return;
    char code[16];
    std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
    throw host::HostError(std::u16string(dialog) + u"を表示できませんでした（エラー " +
                          std::u16string(code, code + std::char_traits<char>::length(code)) +
                          u"）。");
}

}  // namespace

std::optional<std::u16string> WinDialogs::show_open(const host::OpenFileRequest& request) {
    const std::u16string filter = filter_list_from_filter(request.filter);
    std::wstring file(path_buffer_size, L'\0');
    text::wstring_from_u16(request.file_name).copy(file.data(), file.size() - 1);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_.hwnd();
    dialog.lpstrFilter = filter.empty() ? nullptr : text::wide_c_str(filter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir =
        request.init_dir.empty() ? nullptr : text::wide_c_str(request.init_dir);
    // The process's current folder stays where it was, whatever folder the user visits.
    dialog.Flags = static_cast<DWORD>(request.flags) | OFN_EXPLORER | OFN_NOCHANGEDIR;
    const auto get_open_file_name =
        comdlg32_.function<decltype(&GetOpenFileNameW)>("GetOpenFileNameW");
    if (!get_open_file_name(&dialog)) {
        check_dialog_failure(comdlg32_, u"ファイルを開くダイアログ");
        return std::nullopt;
    }
    return text::u16_from_wide_buffer(file.c_str());
}

std::optional<host::FontChoice> WinDialogs::show_font(const host::FontChoice& initial, int flags) {
    // The dialog turns heights into points with the screen's DPI, not the window's.
    const int dpi = screen_dpi_y();
    LOGFONTW font = realized_font(logfont_from_choice(initial, dpi));
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_.hwnd();
    dialog.lpLogFont = &font;
    dialog.Flags = static_cast<DWORD>(flags) | CF_INITTOLOGFONTSTRUCT;
    const auto choose_font = comdlg32_.function<decltype(&ChooseFontW)>("ChooseFontW");
    if (!choose_font(&dialog)) {
        check_dialog_failure(comdlg32_, u"フォントの選択ダイアログ");
        return std::nullopt;
    }
    host::FontChoice chosen = choice_from_logfont(font, dpi);
    chosen.size = static_cast<float>(dialog.iPointSize) / 10;
    return chosen;
}

void WinDialogs::show_error(const std::u16string& message) {
    show_error_box(owner_.hwnd(), message.c_str(), MB_ICONWARNING);
}

}  // namespace platform::win32
