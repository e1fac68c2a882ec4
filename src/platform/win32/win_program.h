// The Windows program assembled: Form1's window, the Win32 host services and the core behind
// them.
//
// What this layer does: creates Form1 and Text1 (a Scintilla window set up as a plain text box)
// from the core's design values; turns window messages (size, mouse presses, context menu, paste,
// dropped files) and the command line into the core's events and the toolkit-free calls it
// expects; shows the core's popup menu, common dialogs, message boxes and failures; calls
// SetWindowPos; sizes fonts and twips for the window's DPI; reads files through the shared text
// reader. What it leaves to the core: every decision of
// the program: the menu and when it opens, whether the edit menu may follow, start folders, the
// font and the always-on-top state, all wording, twips arithmetic, whether a placement moves the
// window, which of the files given is shown and when a drop is refused.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/window/main_window.h"
#include "platform/win32/form_window.h"
#include "platform/win32/win_dialogs.h"
#include "platform/win32/win_files.h"
#include "platform/win32/win_window.h"

namespace platform::win32 {

class Win32Program {
  public:
    explicit Win32Program(HINSTANCE instance);
    ~Win32Program();
    Win32Program(const Win32Program&) = delete;
    Win32Program& operator=(const Win32Program&) = delete;

    // Raises Load, which shows the window, and hands the core the files named on the command
    // line, if any; the text box draws once, at its laid-out size, and then the window takes
    // its icons.
    void start(std::vector<std::u16string> files = {});

    FormWindow& form() noexcept { return form_; }
    WinWindow& window() noexcept { return window_; }
    WinDialogs& dialogs() noexcept { return dialogs_; }
    WinFileSystem& files() noexcept { return files_; }
    window::Form1& core() noexcept { return core_; }

  private:
    FormWindow form_;
    WinWindow window_;
    WinDialogs dialogs_;
    WinFileSystem files_;
    window::Form1 core_;
};

}  // namespace platform::win32
