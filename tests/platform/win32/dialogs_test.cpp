// The common dialogs on Win32, answered the way a user would: the open dialog with a typed path,
// the font dialog with a style and size picked, the error box read and closed.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../../text/temp_dir.h"
#include "core/viewer/open_command.h"
#include "core/window/instruction_text.h"
#include "modal_watch.h"
#include "platform/scintilla/long_lines.h"
#include "platform/win32/dpi.h"
#include "platform/win32/font_conversion.h"
#include "platform/win32/unique_handles.h"
#include "text/win32/wide_strings.h"
#include "win32_test_support.h"

namespace {

using text::u16_from_wstring;
using text::wide_c_str;
using win32_test::find_thread_window;
using win32_test::ModalWatch;
using win32_test::ProgramTest;
using win32_test::u16_path;
using win32_test::window_text;

std::vector<std::u16string> combo_items(HWND combo) {
    std::vector<std::u16string> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(
                              SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) +
                              1,
                          L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(item.data()));
        items.push_back(text::u16_from_wide_buffer(item.c_str()));
    }
    return items;
}

// The edit box of the open dialog's file name field, however the dialog builds it.
HWND file_name_edit(HWND dialog) {
    const HWND field = GetDlgItem(dialog, cmb13);
    if (field == nullptr)
        return GetDlgItem(dialog, edt1);
    if (win32_test::class_name(field) == u"ComboBoxEx32") {
        return reinterpret_cast<HWND>(SendMessageW(field, CBEM_GETEDITCONTROL, 0, 0));
    }
    return FindWindowExW(field, nullptr, L"Edit", nullptr);
}

std::u16string current_folder(HWND dialog) {
    std::wstring folder(32768, L'\0');
    SendMessageW(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
    return text::u16_from_wide_buffer(folder.c_str());
}

// A dialog of this thread owned by Form1: the open or font dialog, or a message box.
HWND owned_dialog(HWND owner, const wchar_t* caption = nullptr) {
    const HWND dialog = find_thread_window(L"#32770", caption);
    return dialog != nullptr && GetWindow(dialog, GW_OWNER) == owner ? dialog : nullptr;
}

void press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

// Types `path` into the open dialog and confirms it; records its filter list and start folder.
struct OpenDialogAnswer {
    std::u16string path;
    std::vector<std::u16string> filters;
    std::u16string start_folder;
};

ModalWatch::Step answer_open_dialog(HWND owner, OpenDialogAnswer& answer) {
    return [owner, &answer] {
        const HWND dialog = owned_dialog(owner);
        if (dialog == nullptr)
            return false;
        answer.filters = combo_items(GetDlgItem(dialog, cmb1));
        answer.start_folder = current_folder(dialog);
        if (answer.path.empty()) {
            press(dialog, IDCANCEL);
            return true;
        }
        const HWND edit = file_name_edit(dialog);
        SetWindowTextW(edit, L"");
        for (const char16_t unit : answer.path)
            SendMessageW(edit, WM_CHAR, unit, 1);
        press(dialog, IDOK);
        return true;
    };
}

std::string utf16le_with_bom(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

TEST_F(ProgramTest, OpenDialogOpensTheTypedFileInEveryEncoding) {
    struct Case {
        std::u16string name;
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {u"メモ 1.txt", "一行目\n二行目", u"一行目\r\n二行目\r\n"},
        {u"sjis.ini", "\x93\xfa\x96\x7b\x8c\xea\r\n\x82\xa0", u"日本語\r\nあ\r\n"},
        {u"utf16.htm", utf16le_with_bom(u"<p>\r\n😀</p>\r\n"), u"<p>\r\n😀</p>\r\n"},
        {u"empty.txt", "", u""},
        // Rich text's openings stay the file's own characters.
        {u"rich.txt", "{\\rtf1\\ansi {\\b bold}\\par}", u"{\\rtf1\\ansi {\\b bold}\\par}\r\n"},
        {u"urtf.txt", "{urtf1 x}\n{\\urtf1 y}", u"{urtf1 x}\r\n{\\urtf1 y}\r\n"},
    };
    const text_test::TempDir folder;
    for (const Case& c : cases) {
        const std::u16string path = u16_path(folder.write(std::filesystem::path(c.name), c.bytes));
        OpenDialogAnswer answer;
        answer.path = path;
        ModalWatch watch({answer_open_dialog(form(), answer)});
        program().core().on_menu_click(window::MenuItem::IDM_open);
        ASSERT_TRUE(watch.finished());
        EXPECT_EQ(answer.filters,
                  (std::vector<std::u16string>{u"ﾃｷｽﾄﾌｧｲﾙ(*.txt,*.ini)", u"HTMLﾌｧｲﾙ(*.htm)",
                                               u"すべてのﾌｧｲﾙ(*.*)"}));
        EXPECT_EQ(window_text(form()), path);
        EXPECT_EQ(window_text(text1()), c.text) << path.size();
        EXPECT_EQ(program().core().open_path(), path);
    }
}

TEST_F(ProgramTest,
       OpenDialogStartsInTheDefaultFolderThenInTheLastFilesFolderAndCancelChangesNothing) {
    const text_test::TempDir folder;
    const std::u16string path = u16_path(folder.write("a.txt", "a"));
    OpenDialogAnswer first;
    first.path = path;
    OpenDialogAnswer second;  // cancelled
    ModalWatch watch({answer_open_dialog(form(), first)});
    program().core().on_menu_click(window::MenuItem::IDM_open);
    ModalWatch watch_again({answer_open_dialog(form(), second)});
    program().core().on_menu_click(window::MenuItem::IDM_open);
    ASSERT_TRUE(watch.finished() && watch_again.finished());
    EXPECT_EQ(CompareStringOrdinal(
                  text::wide_c_str(first.start_folder), -1,
                  text::wide_c_str(viewer::default_start_folder(program().files())), -1, TRUE),
              CSTR_EQUAL);
    EXPECT_EQ(second.start_folder, u16_path(folder.path()));
    EXPECT_EQ(window_text(form()), path);
    EXPECT_EQ(window_text(text1()), u"a\r\n");
    EXPECT_EQ(program().core().open_path(), path);
}

TEST_F(ProgramTest, AFileThatCannotBeShownGetsTheErrorBoxAndChangesNothingShown) {
    struct Case {
        const char* what;
        std::string name;
        std::string bytes;
        bool locked;
        std::u16string reason;
    };
    std::string long_line(platform::scintilla::max_line_bytes + 1, 'a');
    long_line.append("\r\n");
    const std::vector<Case> cases = {
        {"held open by another", "locked.txt", "secret", true, u"ファイルを開けませんでした。"},
        {"a line too long to lay out", "long.txt", long_line, false,
         platform::scintilla::line_too_long_error().message()},
    };
    const text_test::TempDir folder;
    for (const Case& c : cases) {
        const std::filesystem::path file = folder.write(c.name, c.bytes);
        // Held open with no sharing: nobody else may read it meanwhile.
        const platform::win32::UniqueFile lock(
            c.locked ? CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr)
                     : INVALID_HANDLE_VALUE);
        ASSERT_EQ(static_cast<bool>(lock), c.locked) << c.what;
        OpenDialogAnswer answer;
        answer.path = u16_path(file);
        std::u16string message;
        ModalWatch watch(
            {answer_open_dialog(form(), answer), win32_test::answer_error_box(message)});
        program().core().on_menu_click(window::MenuItem::IDM_open);
        ASSERT_TRUE(watch.finished()) << c.what;
        std::u16string expected_start = u"「";
        expected_start += u16_path(file);
        expected_start += u"」を開けませんでした。\n\n";
        expected_start += c.reason;
        EXPECT_EQ(message.substr(0, expected_start.size()), expected_start) << c.what;
        EXPECT_EQ(window_text(form()), u"Form1") << c.what;
        EXPECT_EQ(window_text(text1()), window::instruction_text) << c.what;
    }
}

TEST_F(ProgramTest, ErrorBoxShowsTheMessageUnderItsTitle) {
    const std::vector<std::u16string> messages = {u"一行",
                                                  u"「C:\\a.txt」を開けませんでした。\n\n理由"};
    for (const std::u16string& expected : messages) {
        std::u16string shown;
        ModalWatch watch({[&] {
            const HWND box = owned_dialog(form(), L"エラー");
            if (box == nullptr)
                return false;
            shown = window_text(GetDlgItem(box, 0xFFFF));
            press(box, IDOK);
            return true;
        }});
        program().dialogs().show_error(expected);
        ASSERT_TRUE(watch.finished());
        EXPECT_EQ(shown, expected);
    }
}

// Picks a style and a size in the font dialog (or cancels when `size` is empty) and records
// what the dialog was preset to.
struct FontDialogAnswer {
    int style_index = 0;  // Regular, Italic, Bold, Bold Italic
    std::u16string size;
    std::u16string preset_face;
    std::u16string preset_size;
};

ModalWatch::Step answer_font_dialog(HWND owner, FontDialogAnswer& answer) {
    return [owner, &answer] {
        const HWND dialog = owned_dialog(owner);
        if (dialog == nullptr)
            return false;
        answer.preset_face = window_text(GetDlgItem(dialog, cmb1));
        answer.preset_size = window_text(GetDlgItem(dialog, cmb3));
        if (answer.size.empty()) {
            press(dialog, IDCANCEL);
            return true;
        }
        const HWND style = GetDlgItem(dialog, cmb2);
        SendMessageW(style, CB_SETCURSEL, static_cast<WPARAM>(answer.style_index), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(style));
        const HWND size = GetDlgItem(dialog, cmb3);
        const auto index = SendMessageW(size, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(text::wide_c_str(answer.size)));
        SendMessageW(size, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb3, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(size));
        press(dialog, IDOK);
        return true;
    };
}

int CALLBACK collect_face(const LOGFONTW* font, const TEXTMETRICW* /*metrics*/, DWORD type,
                          LPARAM faces) {
    if ((type & TRUETYPE_FONTTYPE) != 0 && font->lfFaceName[0] != L'@') {
        reinterpret_cast<std::vector<std::u16string>*>(faces)->push_back(
            text::u16_from_wide_buffer(font->lfFaceName));
    }
    return TRUE;
}

// A face the system really has, so the dialog can show it: the Japanese one where present.
std::u16string installed_face() {
    std::vector<std::u16string> faces;
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    const platform::win32::ScreenDC screen;
    EnumFontFamiliesExW(screen.get(), &all, &collect_face, reinterpret_cast<LPARAM>(&faces), 0);
    for (const std::u16string& face : faces) {
        if (face == u"Noto Sans CJK JP")
            return face;
    }
    return faces.empty() ? u"" : faces.front();
}

TEST_F(ProgramTest, FontDialogIsPresetAndItsChoiceOrCancelReachesText1) {
    struct Case {
        int style_index;
        std::u16string size;
        bool bold;
        bool italic;
        float points;
    };
    const std::vector<Case> cases = {
        {2, u"20", true, false, 20}, {0, u"", false, false, 0},  // cancelled: the font kept
        {1, u"12", false, true, 12}, {3, u"9", true, true, 9},  {0, u"14", false, false, 14},
    };
    const std::u16string face = installed_face();
    ASSERT_FALSE(face.empty());
    platform::win32::ScintillaTextBox& box = program().form().text1();
    box.set_font_name(face);
    box.set_font_size(10);
    for (const Case& c : cases) {
        const host::FontChoice before{box.font_name(), box.font_bold(), box.font_italic(),
                                      box.font_size()};
        FontDialogAnswer answer;
        answer.style_index = c.style_index;
        answer.size = c.size;
        ModalWatch watch({answer_font_dialog(form(), answer)});
        program().core().on_menu_click(window::MenuItem::IDM_font_set);
        ASSERT_TRUE(watch.finished());
        EXPECT_EQ(answer.preset_face, before.name);
        EXPECT_EQ(std::stof(text::wstring_from_u16(answer.preset_size)), before.size);

        const host::FontChoice expected =
            c.size.empty() ? before : host::FontChoice{face, c.bold, c.italic, c.points};
        EXPECT_EQ((host::FontChoice{box.font_name(), box.font_bold(), box.font_italic(),
                                    box.font_size()}),
                  expected);
        EXPECT_EQ(win32_test::shown_font(text1()), expected);
    }
}

}  // namespace
