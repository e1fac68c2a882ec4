// The Linux program's entry point: its command line read, then Qt set up for a Japanese,
// always-on-top viewer, then Form1.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/common/command_line.h"
#include "platform/qt/qt_environment.h"
#include "platform/qt/qt_guard.h"
#include "platform/qt/qt_program.h"
#include "text/posix/native_path.h"
#include "text/utf.h"

namespace {

constexpr char16_t program_name[] = u"ontopview";

void print(std::FILE* stream, const std::u16string& text) {
    std::fputs(text::utf8_from_utf16(text).c_str(), stream);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Read before anything else, so --help answers where there is no display. File names are
    // taken as the bytes the system gives, whatever their encoding.
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(text::path_from_native(argv[i]));
    using platform::common::CommandLine;
    CommandLine command_line =
        platform::common::parse_command_line(arguments, platform::common::Switches::posix);
    switch (command_line.action) {
        case CommandLine::Action::help:
            print(stdout,
                  platform::common::help_text(program_name, platform::common::Switches::posix));
            return 0;
        case CommandLine::Action::version:
            print(stdout, platform::common::version_text());
            return 0;
        case CommandLine::Action::unknown_option:
            print(stderr, u"ontopview: " + platform::common::unknown_option_text(
                                               program_name, command_line.unknown_option));
            return platform::common::usage_error_status;
        case CommandLine::Action::run:
            break;
    }

    const platform::qt::DisplayChoice display = platform::qt::prepare_display();
    if (!display.has_display) {
        std::fputs(
            "ontopview: 画面（ディスプレイ）が見つかりません。DISPLAY を設定してください。\n"
            "ontopview: no display found; set DISPLAY (or run scripts/run.sh, which can use a "
            "virtual display).\n",
            stderr);
        return 1;
    }
    // Qt sees the program's name alone: it would take arguments such as "-style" for options of
    // its own, and a file may be named so.
    int qt_argc = 1;
    char* qt_argv[] = {argv[0], nullptr};
    QApplication application(qt_argc, qt_argv);
    return platform::qt::run_guarded([&] {
        QApplication::setApplicationName(QStringLiteral("ontopview"));
        QApplication::setDesktopFileName(QStringLiteral("ontopview"));
        // Built in rather than looked up in the icon theme, which costs a fifth of start-up.
        QIcon icon;
        for (const int size : {16, 32, 48, 64})
            icon.addFile(QStringLiteral(":/icons/ontopview-%1.png").arg(size), QSize(size, size));
        QApplication::setWindowIcon(icon);
        platform::qt::keep_settings_off_disk();
        const auto translator = platform::qt::install_japanese_translations();

        platform::qt::QtProgram program(display.can_stay_on_top);
        program.start(std::move(command_line.files));
        return QApplication::exec();
    });
}
