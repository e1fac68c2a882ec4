// The text file reader on real files: lines, the CR LF size, names, and refused files.
#include "text/text_file_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "text/file_errors.h"
#include "text/platform_file_bytes.h"
#include "text/utf.h"

namespace text {
namespace {

using text_test::error_message;
using text_test::TempDir;
using namespace std::string_literals;

// Reads every line, checking before each that crlf_text_size() covers exactly what is left.
void expect_lines(host::LineReader& reader, const std::vector<std::u16string>& lines) {
    std::size_t remaining = 0;
    for (const std::u16string& line : lines)
        remaining += line.size() + 2;
    // Counted afresh each time it is asked: at the start, as the open command asks, and
    // at a few points on the way.
    const std::size_t asked_every = lines.size() / 4 + 1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_FALSE(reader.at_end()) << "line " << i;
        if (i % asked_every == 0) {
            EXPECT_EQ(reader.crlf_text_size(), remaining) << "line " << i;
        }
        EXPECT_EQ(reader.read_line(), lines[i]) << "line " << i;
        remaining -= lines[i].size() + 2;
    }
    EXPECT_TRUE(reader.at_end());
    EXPECT_EQ(reader.crlf_text_size(), 0u);
    // Reading past the end is harmless.
    EXPECT_EQ(reader.read_line(), u"");
    EXPECT_EQ(reader.crlf_text_size(), 0u);
}

TEST(TextFileReader, ReadsLinesOfEveryEncoding) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::u16string> lines;
    };
    const std::vector<Case> cases = {
        {"empty", "", {}},
        {"one line without terminator", "only", {u"only"}},
        {"crlf", "a\r\nb\r\n", {u"a", u"b"}},
        {"mixed terminators", "a\nb\rc\r\n\r\nd", {u"a", u"b", u"c", u"", u"d"}},
        {"blank lines", "\n\n\n", {u"", u"", u""}},
        {"utf-8 with bom", "\xEF\xBB\xBF日本語\r\nテキスト", {u"日本語", u"テキスト"}},
        {"utf-16 le", "\xFF\xFE"s + "a\0\r\0\n\0\xE5\x65"s, {u"a", u"日"}},
        {"cp932",
         "\x83\x65\x83\x4C\x83\x58\x83\x67\r\n\xC3\xB7\xBD\xC4\r\n",
         {u"テキスト", u"ﾃｷｽﾄ"}},
        {"euc-jp",
         "\xC6\xFC\xCB\xDC\xB8\xEC\n\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8\n",
         {u"日本語", u"テキスト"}},
        {"iso-2022-jp", "\x1B$BF|K\\\x1B(B\r\n\x1B$B%F%-%9%H\x1B(B", {u"日本", u"テキスト"}},
        {"nul inside a line", "a\0b\nc"s, {u"a\u2400b", u"c"}},
    };
    // Each written under a name of Japanese, emoji or spaces.
    const std::u16string names[] = {u"日本語のファイル.txt", u"emoji 😀 name.txt",
                                    u"  spaces  around  .txt", u"ﾃｷｽﾄ"};
    const TempDir dir;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        TextFileReader reader(dir.write(names[i % std::size(names)], cases[i].bytes).u16string());
        expect_lines(reader, cases[i].lines);
    }
}

TEST(TextFileReader, ReadsALargeFile) {
    std::string bytes;
    std::vector<std::u16string> lines;
    for (int i = 0; bytes.size() < 3 * 1024 * 1024; ++i) {
        const std::string line = "行 " + std::to_string(i) + std::string(i % 97, 'x');
        bytes += line + (i % 3 == 0 ? "\r\n" : "\n");
        lines.push_back(utf16_from_utf8(line));
    }
    const TempDir dir;
    TextFileReader reader(dir.write("large.txt", bytes).u16string());
    expect_lines(reader, lines);
}

TEST(TextFileReader, RefusesMissingFilesAndFolders) {
    const TempDir dir;
    dir.write("file.txt", "x");
    std::filesystem::create_directory(dir.path() / u"フォルダー");
    struct Case {
        std::filesystem::path path;
        std::u16string message;
    };
    const std::vector<Case> cases = {
        {dir.path() / "missing.txt", u"ファイルが見つかりません。"},
        {dir.path() / "missing" / "file.txt", u"ファイルが見つかりません。"},
        {dir.path() / "", u"フォルダーは開けません。"},
        {dir.path() / u"フォルダー", u"フォルダーは開けません。"},
        {"", u"ファイルが見つかりません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        EXPECT_EQ(error_message([&] { TextFileReader reader(c.path.u16string()); }), c.message);
    }
}

// A file past the reader's limit is refused from its size alone: the sparse file here would
// take 256 MiB to read.
TEST(TextFileReader, RefusesAFileOverTheLimit) {
    const TempDir dir;
    const std::filesystem::path path = dir.write("huge.txt", "");
    std::filesystem::resize_file(path, max_text_file_bytes + 1);
    EXPECT_EQ(error_message([&] { TextFileReader reader(path.u16string()); }),
              file_too_large_error(max_text_file_bytes).message());
}

TEST(ReadFileBytes, ReadsUpToTheLimitAndNoMore) {
    struct Case {
        std::size_t size;
        std::uint64_t limit;
        std::u16string message;  // empty when the read succeeds
    };
    const std::vector<Case> cases = {
        {0, 0, u""},
        {100, 100, u""},
        {100, 1000, u""},
        {100, 99, u"ファイルが大きすぎます（上限 99 バイト）。"},
        {200000, 199999, u"ファイルが大きすぎます（上限 199999 バイト）。"},
        {2048, 1024, u"ファイルが大きすぎます（上限 1 KiB）。"},
        {1, 0, u"ファイルが大きすぎます（上限 0 バイト）。"},
    };
    const TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " bytes, limit " + std::to_string(c.limit));
        std::string bytes(c.size, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7 + 1);
        const std::u16string path = dir.write("sized.bin", bytes).u16string();
        if (c.message.empty()) {
            EXPECT_EQ(read_file_bytes(path, c.limit), bytes);
        } else {
            EXPECT_EQ(error_message([&] { read_file_bytes(path, c.limit); }), c.message);
        }
    }
}

}  // namespace
}  // namespace text
