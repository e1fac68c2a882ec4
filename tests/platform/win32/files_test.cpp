// The shared reader's Windows pieces: code page 932 through MultiByteToWideChar, whole-file
// reads through CreateFileW, and the Windows file system's conventions.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../../text/temp_dir.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/win_files.h"
#include "text/file_errors.h"
#include "text/platform_converters.h"
#include "text/platform_file_bytes.h"
#include "text/text_file_reader.h"
#include "text/win32/wide_strings.h"
#include "win32_test_support.h"

namespace {

using text::u16_from_wstring;
using text_test::error_message;
using text_test::TempDir;
using win32_test::u16_path;

TEST(DecodeCp932, WindowsTableAndReplacements) {
    struct Case {
        const char* what;
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {"ASCII", "abc\r\n", u"abc\r\n"},
        {"hiragana and kanji", "\x82\xa0\x93\xfa\x96\x7b", u"あ日本"},
        {"half-width katakana", "\xb1\xdd", u"ｱﾝ"},
        {"wave dash as Windows maps it", "\x81\x60", u"\uFF5E"},
        {"NEC special", "\x87\x40\x87\x82", u"①№"},
        {"IBM extension", "\xfa\x40", u"ⅰ"},
        {"bad trail byte, then the byte on its own", "\x81\x20x", u"\uFFFD x"},
        {"lead byte at the end", "a\x82", u"a\uFFFD"},
        {"bytes Shift_JIS does not define", "\x80\xa0\xfd\xfe\xff",
         u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"trail bytes that look undefined alone", "\x81\x80\x81\xa0", u"÷□"},
        {"lead byte before an undefined byte", "\x81\xfd", u"\uFFFD\uFFFD"},
        {"NUL passes through", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text::decode_cp932(c.bytes), c.text) << c.what;
    }
}

TEST(DecodeCp932, LongTextAcrossEveryRunBoundary) {
    // Runs are converted in 64 KiB pieces; a one-byte shift puts a character across each cut.
    for (const std::size_t shift : {0u, 1u}) {
        std::string bytes(shift, 'a');
        std::u16string text(shift, u'a');
        for (int i = 0; i < 70000; ++i) {
            bytes += "\x82\xa0";
            text += u"あ";
            if (i % 9999 == 0) {
                bytes += "\x81";  // a lead byte without its trail
                bytes += "!";
                text += u"\uFFFD!";
            }
        }
        EXPECT_EQ(text::decode_cp932(bytes), text) << shift;
    }
}

TEST(ReadFileBytesWin32, ReadsRegularFilesUpToTheLimit) {
    const TempDir dir;
    struct Case {
        std::string bytes;
        std::uint64_t limit;
        bool fits;
    };
    const std::vector<Case> cases = {
        {"", 0, true},
        {"abc", 3, true},
        {"abcd", 3, false},
        {std::string(3 * 1024 * 1024, 'x'), 4 * 1024 * 1024, true},
        {std::string(3 * 1024 * 1024, 'x'), 1024 * 1024, false},
    };
    for (const Case& c : cases) {
        const std::u16string path = u16_path(dir.write("file.bin", c.bytes));
        if (c.fits) {
            EXPECT_EQ(text::read_file_bytes(path, c.limit), c.bytes) << c.bytes.size();
        } else {
            EXPECT_EQ(text_test::error_message([&] { text::read_file_bytes(path, c.limit); }),
                      text::file_too_large_error(c.limit).message());
        }
    }
}

TEST(ReadFileBytesWin32, NamesWhatCannotBeRead) {
    const TempDir dir;
    dir.write("file.txt", "x");
    std::filesystem::create_directory(dir.path() / u"フォルダー");
    // A pipe exists only while its server end is open.
    const std::wstring pipe_name =
        L"\\\\.\\pipe\\ontopview_test_" + std::to_wstring(GetCurrentProcessId());
    const platform::win32::UniqueFile pipe(CreateNamedPipeW(pipe_name.c_str(), PIPE_ACCESS_DUPLEX,
                                                            PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr));
    ASSERT_TRUE(pipe);
    struct Case {
        std::u16string path;
        std::u16string message;
    };
    const std::vector<Case> cases = {
        {u16_path(dir.path() / "missing.txt"), u"ファイルが見つかりません。"},
        {u16_path(dir.path() / "missing" / "file.txt"), u"ファイルが見つかりません。"},
        {u16_path(dir.path() / u"フォルダー"), u"フォルダーは開けません。"},
        {u16_path(dir.path()) + u"\\", u"フォルダーは開けません。"},
        {u"NUL", u"通常のファイルではないため開けません。"},
        {text::u16_from_wstring(pipe_name), u"通常のファイルではないため開けません。"},
        {std::u16string(u"a\0b", 3), u"ファイル名が正しくありません。"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text_test::error_message([&] { text::read_file_bytes(c.path, 100); }), c.message)
            << text::wstring_from_u16(c.path).size();
    }
}

TEST(ReadFileBytesWin32, AFileLockedByAnotherGivesTheSystemsReason) {
    const TempDir dir;
    const std::filesystem::path file = dir.write("locked.txt", "x");
    const platform::win32::UniqueFile lock(CreateFileW(
        file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    const std::u16string message =
        text_test::error_message([&] { text::read_file_bytes(u16_path(file), 100); });
    const std::u16string start = u"ファイルを開けませんでした。（";
    EXPECT_EQ(message.substr(0, start.size()), start);
    EXPECT_EQ(message.back(), u'）');
}

TEST(ReadFileBytesWin32, ReadsWhileOthersWriteAndPastTheOldPathLimit) {
    const TempDir dir;
    const std::filesystem::path file = dir.write("shared.txt", "shared");
    // A writer that lets others read: the viewer must not need more.
    const platform::win32::UniqueFile writer(
        CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(text::read_file_bytes(u16_path(file), 100), "shared");

    // Folders nested past MAX_PATH, made through the extended-length form.
    std::wstring deep = LR"(\\?\)" + dir.path().wstring();
    while (deep.size() < MAX_PATH + 40) {
        deep += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    const std::wstring deep_file = deep + L"\\長い.txt";
    {
        const platform::win32::UniqueFile out(CreateFileW(deep_file.c_str(), GENERIC_WRITE, 0,
                                                          nullptr, CREATE_NEW,
                                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(out);
        DWORD written = 0;
        WriteFile(out.get(), "deep", 4, &written, nullptr);
    }
    // The same path without its extended-length prefix.
    const std::u16string plain = text::u16_from_wstring(deep_file.substr(4));
    ASSERT_GT(plain.size(), static_cast<std::size_t>(MAX_PATH));
    EXPECT_EQ(text::read_file_bytes(plain, 100), "deep");
    text::TextFileReader reader(plain);
    EXPECT_EQ(reader.read_line(), u"deep");
}

TEST(WinFileSystem, WindowsConventions) {
    platform::win32::WinFileSystem files;
    EXPECT_EQ(files.path_separator(), u'\\');
    EXPECT_EQ(files.preferred_start_folder(), u"C:\\My Documents");
    // The Documents folder of the prefix's user, which Wine makes.
    const std::u16string documents = files.fallback_start_folder();
    ASSERT_FALSE(documents.empty());
    EXPECT_TRUE(files.is_folder(documents));
    EXPECT_NE(documents.find(u"Documents"), std::u16string::npos);
    const TempDir dir;
    const std::filesystem::path file = dir.write("a.txt", "a");
    EXPECT_TRUE(files.is_folder(u16_path(dir.path())));
    EXPECT_FALSE(files.is_folder(u16_path(file)));
    EXPECT_FALSE(files.is_folder(u16_path(dir.path() / "missing")));
}

TEST(WinFileSystem, OpensTextWithTheSharedReader) {
    const TempDir dir;
    const std::filesystem::path file = dir.write(u"日本語.txt", "\x82\xa0\r\n\x82\xa2");
    platform::win32::WinFileSystem files;
    const auto reader = files.open_text(u16_path(file));
    EXPECT_EQ(reader->read_line(), u"あ");
    EXPECT_EQ(reader->read_line(), u"い");
    EXPECT_TRUE(reader->at_end());
    EXPECT_EQ(text_test::error_message([&] { files.open_text(u16_path(dir.path())); }),
              u"フォルダーは開けません。");
}

}  // namespace
