// host::Dialogs on Win32: GetOpenFileNameW, ChooseFontW and MessageBoxW, modal over Form1.
// comdlg32 is loaded when a dialog is first asked for, keeping it out of an idle program.
#pragma once

#include "core/host/dialogs.h"
#include "platform/win32/system_library.h"

namespace platform::win32 {

class FormWindow;

class WinDialogs final : public host::Dialogs {
  public:
    explicit WinDialogs(FormWindow& owner) : owner_(owner) {}

    // Cancelling gives nothing; a dialog that cannot be shown throws HostError.
    std::optional<std::u16string> show_open(const host::OpenFileRequest& request) override;
    std::optional<host::FontChoice> show_font(const host::FontChoice& initial, int flags) override;
    void show_error(const std::u16string& message) override;

  private:
    FormWindow& owner_;
    SystemLibrary comdlg32_{L"comdlg32.dll"};
};

}  // namespace platform::win32
