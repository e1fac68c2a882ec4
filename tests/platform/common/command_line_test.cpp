// The command line both programs read: options, files, and Windows' splitting of one line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/common/command_line.h"
#include "text/utf.h"

namespace {

using platform::common::CommandLine;
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
    const Switches posix = Switches::posix;
    const Case cases[] = {
        {{u"メモ.txt", u"b.txt"}, posix, Action::run, {u"メモ.txt", u"b.txt"}, u""},
        {{u"a.txt", u"-h"}, posix, Action::help, {u"a.txt"}, u""},
        {{u"--version", u"--help"}, posix, Action::version, {}, u""},  // the first decides
        {{u"--verbose", u"--help"}, posix, Action::unknown_option, {}, u"--verbose"},
        // Qt's own options are not passed on: the environment sets what they would.
        {{u"-platform", u"xcb"}, posix, Action::unknown_option, {u"xcb"}, u"-platform"},
        {{u"--", u"-h", u"--", u"-", u""}, posix, Action::run, {u"-h", u"--", u"-", u""}, u""},
        {{u"/?"}, posix, Action::run, {u"/?"}, u""},  // a name like any other there
        {{u"C:\\メモ.txt", u"/?"}, Switches::windows, Action::help, {u"C:\\メモ.txt"}, u""},
    };
    for (const Case& c : cases) {
        const CommandLine line = platform::common::parse_command_line(c.arguments, c.switches);
        const std::string trace = text::utf8_from_utf16(c.arguments[0]);
        EXPECT_EQ(line.action, c.action) << trace;
        EXPECT_EQ(line.files, c.files) << trace;
        EXPECT_EQ(line.unknown_option, c.unknown) << trace;
    }
}

TEST(CommandLineTest, WindowsLinesSplitAsTheRuntimeSplitsThem) {
    const std::pair<std::u16string, Arguments> cases[] = {
        {u"\"C:\\Program Files\\ontopview.exe\"   ", {}},
        {u"\"C:\\x\\ontopview.exe\" \"D:\\日本語 フォルダー\\a b.txt\" second\tthird",
         {u"D:\\日本語 フォルダー\\a b.txt", u"second", u"third"}},
        {u"ontopview.exe C:\\メモ.txt \"\" a\"b c\"d", {u"C:\\メモ.txt", u"", u"ab cd"}},
        {u"p \"C:\\folder\\\\\"", {u"C:\\folder\\"}},  // 2n backslashes before a quote: n
        {u"p a\\\\\\\"b", {u"a\\\"b"}},                // 2n + 1: n and a quote
        {u"p \\\\server\\share\\a.txt trailing\\", {u"\\\\server\\share\\a.txt", u"trailing\\"}},
        {u"p \"a \"\" b\" \"unclosed arg", {u"a \" b", u"unclosed arg"}},
    };
    for (const auto& [line, arguments] : cases) {
        EXPECT_EQ(platform::common::split_windows_command_line(line), arguments)
            << text::utf8_from_utf16(line);
    }
}

}  // namespace
