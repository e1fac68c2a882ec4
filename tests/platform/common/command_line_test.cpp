// The command line both programs read: options, files, and Windows' splitting of one line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/common/command_line.h"
#include "text/utf.h"

namespace {

using platform::common::CommandLine;
using platform::common::parse_command_line;
using platform::common::split_windows_command_line;
using platform::common::Switches;
using Action = CommandLine::Action;
using Arguments = std::vector<std::u16string>;

TEST(CommandLineTest, OptionsAndFiles) {
    struct Case {
        Arguments arguments;
        Switches switches;
        Action action;
        Arguments files;
        std::u16string unknown;
    };
    const Case cases[] = {
        {{}, Switches::posix, Action::run, {}, u""},
        {{u"メモ.txt"}, Switches::posix, Action::run, {u"メモ.txt"}, u""},
        {{u"a.txt", u"b.txt", u"c"}, Switches::posix, Action::run, {u"a.txt", u"b.txt", u"c"}, u""},
        {{u"--help"}, Switches::posix, Action::help, {}, u""},
        {{u"a.txt", u"-h"}, Switches::posix, Action::help, {u"a.txt"}, u""},
        {{u"--version", u"--help"}, Switches::posix, Action::version, {}, u""},
        {{u"--verbose", u"--help"}, Switches::posix, Action::unknown_option, {}, u"--verbose"},
        {{u"-x"}, Switches::posix, Action::unknown_option, {}, u"-x"},
        // Qt's own options are not passed on: the environment sets what they would.
        {{u"-platform", u"xcb"}, Switches::posix, Action::unknown_option, {u"xcb"}, u"-platform"},
        {{u"--", u"-h", u"--"}, Switches::posix, Action::run, {u"-h", u"--"}, u""},
        {{u"-", u""}, Switches::posix, Action::run, {u"-", u""}, u""},
        {{u"/?"}, Switches::posix, Action::run, {u"/?"}, u""},  // a name like any other there
        {{u"/?"}, Switches::windows, Action::help, {}, u""},
        {{u"C:\\メモ.txt", u"--help"}, Switches::windows, Action::help, {u"C:\\メモ.txt"}, u""},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse_command_line(c.arguments, c.switches);
        const std::string trace =
            c.arguments.empty() ? "(none)" : text::utf8_from_utf16(c.arguments[0]);
        EXPECT_EQ(line.action, c.action) << trace;
        EXPECT_EQ(line.files, c.files) << trace;
        EXPECT_EQ(line.unknown_option, c.unknown) << trace;
    }
}

TEST(CommandLineTest, WindowsLinesSplitAsTheRuntimeSplitsThem) {
    struct Case {
        std::u16string line;
        Arguments arguments;
    };
    const Case cases[] = {
        {u"ontopview.exe", {}},
        {u"\"C:\\Program Files\\ontopview.exe\"", {}},
        {u"\"C:\\Program Files\\ontopview.exe\"   ", {}},
        {u"ontopview.exe C:\\メモ.txt", {u"C:\\メモ.txt"}},
        {u"\"C:\\x\\ontopview.exe\" \"D:\\日本語 フォルダー\\a b.txt\" second\tthird",
         {u"D:\\日本語 フォルダー\\a b.txt", u"second", u"third"}},
        {u"p \"\"", {u""}},
        {u"p a\"b c\"d", {u"ab cd"}},
        {u"p \"C:\\folder\\\\\"", {u"C:\\folder\\"}},  // 2n backslashes before a quote: n
        {u"p a\\\\\\\"b", {u"a\\\"b"}},                // 2n + 1: n and a quote
        {u"p \\\\server\\share\\a.txt", {u"\\\\server\\share\\a.txt"}},  // none before a quote
        {u"p \"a \"\" b\"", {u"a \" b"}},
        {u"p \"unclosed arg", {u"unclosed arg"}},
        {u"p trailing\\", {u"trailing\\"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(split_windows_command_line(c.line), c.arguments) << text::utf8_from_utf16(c.line);
}

TEST(CommandLineTest, HelpSaysOnlyTheFirstFileIsShown) {
    for (const Switches switches : {Switches::posix, Switches::windows}) {
        const std::u16string help = platform::common::help_text(u"ontopview", switches);
        EXPECT_NE(help.find(u"最初のファイルだけを表示し、残りは無視します"), std::u16string::npos);
        EXPECT_EQ(help.find(u"/?") != std::u16string::npos, switches == Switches::windows);
    }
}

}  // namespace
