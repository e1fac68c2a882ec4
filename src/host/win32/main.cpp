// The Windows program's entry point: Form1 and its message loop.
#include <windows.h>

#include <exception>

#include "host/win32/guard.h"
#include "host/win32/startup.h"
#include "host/win32/win_program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int /*show*/) {
    try {
        win32_host::Win32Program program(instance);
        program.start();
        return win32_host::run_message_loop();
    } catch (...) {
        win32_host::report_unexpected(nullptr, std::current_exception());
        return 1;
    }
}
