// Reading back what the Win32 layer put on screen, and running its program inside a test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <Scintilla.h>

#include "core/host/dialogs.h"
#include "platform/win32/win_program.h"

namespace win32_test {

inline LRESULT send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendMessageW(window, message, wparam, lparam);
}

std::u16string u16_path(const std::filesystem::path& path);
std::u16string window_text(HWND hwnd);
std::u16string class_name(HWND hwnd);
RECT window_rect(HWND hwnd);
RECT client_rect(HWND hwnd);
// Resizes `hwnd` to a client area `width` pixels wide, the whole window `height` tall.
void set_client_width(HWND hwnd, int width, int height);
// The font Text1's Scintilla window draws its text in, read from its styles; the styles its
// text alternates between must agree with it, else the face is empty.
host::FontChoice shown_font(HWND text_box);
// All of Text1's text, NULs and all.
std::u16string box_text(HWND text_box);
// Selects from `anchor` to `caret`, in the box's UTF-8 byte positions.
void select(HWND text_box, Sci_Position anchor, Sci_Position caret);
struct Selection {
    Sci_Position start;
    Sci_Position end;
    bool operator==(const Selection&) const = default;
};
Selection selection_of(HWND text_box);
// Paints what is waiting to be painted, which lays out the rows on screen.
void paint_now(HWND hwnd);
// Presses `key` with `held` down, posted to the box and handled by the test's message loop, as
// a user's press reaches it (TranslateMessage makes the characters).
void press(HWND box, const std::vector<int>& held, UINT key);
// The clipboard holds `text` alone.
void put_on_clipboard(HWND owner, std::u16string_view text);
// The clipboard holds a text block of exactly `bytes` bytes of `units`, no NUL added. Wine writes
// a NUL over the last unit of a block that has none; written again after it is handed over, the
// block holds what any other program could have left there.
void put_block_on_clipboard(HWND owner, std::u16string_view units, std::size_t bytes);
void clear_clipboard(HWND owner);

// A separator counts as disabled.
struct MenuItemView {
    std::u16string caption;
    bool separator = false;
    bool checked = false;
    bool enabled = true;
    UINT id = 0;

    bool operator==(const MenuItemView&) const = default;
};
std::vector<MenuItemView> read_menu(HMENU menu);
// The menu a visible popup menu window ("#32768") shows.
HMENU menu_of_window(HWND menu_window);

void PrintTo(const MenuItemView& item, std::ostream* out);

// Handles every message waiting for this thread; the exit code when WM_QUIT was among them.
std::optional<int> pump_messages();

// Form1 created and loaded for each test, torn down after it.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    platform::win32::Win32Program& program() { return *program_; }
    HWND form() { return program_->form().hwnd(); }
    HWND text1() { return program_->form().text1().hwnd(); }

  private:
    std::unique_ptr<platform::win32::Win32Program> program_;
};

}  // namespace win32_test

namespace host {
void PrintTo(const FontChoice& font, std::ostream* out);
}  // namespace host
