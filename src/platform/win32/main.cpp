// The Windows program's entry point: its command line read, then Form1 and its message loop.
#include <windows.h>

#include <exception>
#include <string>

#include "platform/common/command_line.h"
#include "platform/common/failure_report.h"
#include "platform/win32/error_box.h"
#include "platform/win32/guard.h"
#include "platform/win32/scintilla_classes.h"
#include "platform/win32/startup.h"
#include "platform/win32/win_program.h"
#include "text/win32/wide_strings.h"

namespace {

constexpr char16_t program_name[] = u"ontopview.exe";

// A program without a console answers in a box.
void show_answer(const std::u16string& text) {
    MessageBoxW(nullptr, text::wide_c_str(text), L"ontopview", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int /*show*/) {
    // Failures before Form1 exists, or after it is gone, have no window to stand over.
    const HWND no_owner = nullptr;
    platform::common::FailureReporter failures(platform::win32::failure_box(no_owner));
    int exit_code = 1;
    failures.guarded([&] {
        using platform::common::CommandLine;
        using platform::common::Switches;
        // Split here rather than by CommandLineToArgvW, which would load shell32 at start-up.
        CommandLine command_line =
            platform::common::parse_command_line(platform::common::split_windows_command_line(
                                                     text::u16_from_wide_buffer(GetCommandLineW())),
                                                 Switches::windows);
        switch (command_line.action) {
            case CommandLine::Action::help:
                show_answer(platform::common::help_text(program_name, Switches::windows));
                exit_code = 0;
                return;
            case CommandLine::Action::version:
                show_answer(platform::common::version_text());
                exit_code = 0;
                return;
            case CommandLine::Action::unknown_option:
                platform::win32::show_error_box(
                    nullptr,
                    platform::common::unknown_option_text(program_name, command_line.unknown_option)
                        .c_str(),
                    MB_ICONERROR);
                exit_code = platform::common::usage_error_status;
                return;
            case CommandLine::Action::run:
                break;
        }
        const platform::win32::ScintillaClasses text_box_class(instance);
        platform::win32::Win32Program program(instance);
        program.start(std::move(command_line.files));
        exit_code = platform::win32::run_message_loop();
    });
    return exit_code;
}
