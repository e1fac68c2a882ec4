// The Windows program's entry point: Form1 and its message loop.
#include <windows.h>

#include <exception>

#include "host/shared/failure_report.h"
#include "host/win32/guard.h"
#include "host/win32/scintilla_classes.h"
#include "host/win32/startup.h"
#include "host/win32/win_program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int /*show*/) {
    // Failures before Form1 exists, or after it is gone, have no window to stand over.
    const HWND no_owner = nullptr;
    host::FailureReporter failures(win32_host::failure_box(no_owner));
    int exit_code = 1;
    failures.guarded([&] {
        const win32_host::ScintillaClasses text_box_class(instance);
        win32_host::Win32Program program(instance);
        program.start();
        exit_code = win32_host::run_message_loop();
    });
    return exit_code;
}
