// The Windows program's entry point: Form1 and its message loop.
#include <windows.h>

#include <exception>

#include "platform/common/failure_report.h"
#include "platform/win32/guard.h"
#include "platform/win32/scintilla_classes.h"
#include "platform/win32/startup.h"
#include "platform/win32/win_program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int /*show*/) {
    // Failures before Form1 exists, or after it is gone, have no window to stand over.
    const HWND no_owner = nullptr;
    platform::common::FailureReporter failures(platform::win32::failure_box(no_owner));
    int exit_code = 1;
    failures.guarded([&] {
        const platform::win32::ScintillaClasses text_box_class(instance);
        platform::win32::Win32Program program(instance);
        program.start();
        exit_code = platform::win32::run_message_loop();
    });
    return exit_code;
}
