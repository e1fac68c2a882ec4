// Reading the command line and the texts it is answered with.
#include "platform/common/command_line.h"

namespace platform::common {
namespace {

bool is_blank(char16_t unit) {
    return unit == u' ' || unit == u'\t';
}

// Where the program's name ends: at the closing quote when it is quoted (no escapes inside),
// else at the first blank.
std::size_t end_of_program_name(std::u16string_view line) {
    if (!line.empty() && line.front() == u'"') {
        const std::size_t closing = line.find(u'"', 1);
        return closing == std::u16string_view::npos ? line.size() : closing + 1;
    }
    std::size_t end = 0;
    while (end < line.size() && !is_blank(line[end]))
        ++end;
    return end;
}

std::u16string ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::u16string>& arguments, Switches switches) {
    CommandLine result;
    bool options_ended = false;
    for (const std::u16string& argument : arguments) {
        const bool is_option =
            !options_ended && ((argument.size() > 1 && argument.front() == u'-') ||
                               (switches == Switches::windows && argument == u"/?"));
        if (!is_option) {
            result.files.push_back(argument);
            continue;
        }
        if (argument == u"--") {
            options_ended = true;
            continue;
        }
        if (result.action != CommandLine::Action::run)
            continue;  // the first option has decided
        if (argument == u"-h" || argument == u"--help" || argument == u"/?") {
            result.action = CommandLine::Action::help;
        } else if (argument == u"--version") {
            result.action = CommandLine::Action::version;
        } else {
            result.action = CommandLine::Action::unknown_option;
            result.unknown_option = argument;
        }
    }
    return result;
}

std::vector<std::u16string> split_windows_command_line(std::u16string_view line) {
    std::vector<std::u16string> arguments;
    std::size_t i = end_of_program_name(line);
    for (;;) {
        while (i < line.size() && is_blank(line[i]))
            ++i;
        if (i >= line.size())
            return arguments;
        std::u16string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !is_blank(line[i]))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == u'\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == u'"') {
                // 2n backslashes and a quote: n of them, and the quote opens or closes; 2n + 1:
                // n of them and a quote that is part of the argument.
                argument.append(backslashes / 2, u'\\');
                if (backslashes % 2 == 1) {
                    argument.push_back(u'"');
                } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
                    argument.push_back(u'"');  // "" inside quotes: one quote, still quoted
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, u'\\');
                if (i < line.size() && (quoted || !is_blank(line[i])))
                    argument.push_back(line[i++]);
            }
        }
        arguments.push_back(std::move(argument));
    }
}

std::u16string help_text(std::u16string_view program, Switches switches) {
    const std::u16string name(program);
    std::u16string text =
        u"使い方: " + name +
        u" [オプション] [ファイル...]\n"
        u"常に手前に表示されるウィンドウで、テキストファイルを表示します。\n"
        u"\n"
        u"  ファイル       起動してすぐに表示するテキストファイル。\n"
        u"                 いくつか指定したときは最初のファイルだけを表示し、残りは無視します。\n"
        u"  -h, --help     この説明を表示して終了します。\n";
    if (switches == Switches::windows)
        text += u"  /?             -h と同じです。\n";
    text +=
        u"  --version      バージョンを表示して終了します。\n"
        u"  --             これより後の引数は、- で始まっていてもファイルとして扱います。\n"
        u"\n"
        u"ウィンドウにファイルをドロップしても開けます。\n"
        u"メニューは、テキストボックスを Shift キーを押しながら右クリックすると開きます。\n";
    return text;
}

std::u16string version_text() {
    return u"ontopview " + ascii(ONTOP_VERSION) + u"\n";
}

std::u16string unknown_option_text(std::u16string_view program, std::u16string_view option) {
    std::u16string text = u"「";
    text += option;
    text += u"」というオプションはありません。\n使い方は「";
    text += program;
    text += u" --help」で表示できます。\n";
    return text;
}

}  // namespace platform::common
