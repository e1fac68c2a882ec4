// The program's command line, read alike on both systems: options, the files to show, and the
// texts --help, --version and a mistyped option answer with.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::common {

enum class Switches {
    posix,    // -h, --help, --version
    windows,  // those and /? as well: no file name can hold a '?'
};

struct CommandLine {
    enum class Action { run, help, version, unknown_option };
    Action action = Action::run;
    // The files named, in order; the core shows the first.
    std::vector<std::u16string> files;
    // The first argument taken for an option that is none of ours.
    std::u16string unknown_option;
};

// Options are read up to "--", after which every argument is a file; "-" alone is a file too.
// The first option decides: --help or --version is answered, anything else is an error.
CommandLine parse_command_line(const std::vector<std::u16string>& arguments, Switches switches);

// The arguments after the program's name in a Windows command line, split as the C runtime and
// CommandLineToArgvW split it: blanks between arguments, double quotes around blanks, a
// backslash before a quote escaping it.
std::vector<std::u16string> split_windows_command_line(std::u16string_view command_line);

// What --help prints; `program` is the name the program is run by.
std::u16string help_text(std::u16string_view program, Switches switches);
std::u16string version_text();
// An option the program does not know, and where to look instead.
std::u16string unknown_option_text(std::u16string_view program, std::u16string_view option);

// The exit status for a command line that cannot be followed, as command-line tools use it.
inline constexpr int usage_error_status = 2;

}  // namespace platform::common
