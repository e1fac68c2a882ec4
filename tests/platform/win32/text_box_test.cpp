// Text1 on Win32: a Scintilla window set up as a plain text box, its text, its font, and the
// texts it refuses.
#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "core/host/host_error.h"
#include "platform/scintilla/long_lines.h"
#include "platform/win32/dpi.h"
#include "platform/win32/font_conversion.h"
#include "text/utf.h"
#include "text/win32/wide_strings.h"
#include "win32_test_support.h"

namespace {

using win32_test::box_text;
using win32_test::paint_now;
using win32_test::ProgramTest;
using win32_test::send;
using win32_test::shown_font;

TEST_F(ProgramTest, TextRoundTripsWithCrLf) {
    const std::u16string long_line(5000, u'長');
    std::u16string many_lines;
    for (int i = 0; i < 20000; ++i)
        many_lines += u"行 " + std::u16string(20, u'x') + u"\r\n";
    std::u16string empty_lines;  // a million
    for (int i = 0; i < 1'000'000; ++i)
        empty_lines += u"\r\n";
    const std::vector<std::u16string> texts = {
        u"",
        u"one line",
        u"a\r\nb\r\n",
        u"\r\n\r\n\r\n",
        u"日本語のテキスト\r\n😀 絵文字と 𠮷\r\n\t字下げ",
        // A NUL is a character like any other, not the end of the text.
        std::u16string(u"前\0後\r\n", 5),
        // Rich text's openings are a file's own characters like any others.
        u"{\\rtf1\\ansi{\\fonttbl\\f0 Arial;}\\b bold\\b0\\par}\r\n",
        u"{\\urtf1 {\\i x}}",
        u"{\\rtf",
        long_line,
        many_lines,
        // Lines up to the limit are shown, however many.
        std::u16string(64 * 1024, u'a') + u"\r\n",
        empty_lines,
        u"前\r\n" + std::u16string(2 * 1024 * 1024, u'a') + u"\r\n後\r\n",
        // Cyrillic after Latin, Greek and symbols among Japanese: Wine's EDIT died on these.
        u"( ﾟдﾟ)ﾊｯ!\r\na д b\r\nΑλφα αβγ ∀∃ №★♪ 日本語 абв\r\n",
    };
    for (const std::u16string& text : texts) {
        program().form().text1().set_text(text);
        paint_now(form());
        EXPECT_EQ(program().form().text1().text(), text) << text.size() << " units";
        EXPECT_EQ(box_text(text1()), text) << text.size() << " units";
    }
}

TEST_F(ProgramTest, NewTextLeavesNothingToUndoAndTheCaretAtTheTop) {
    for (int i = 0; i < 200; ++i)
        send(text1(), SCI_NEWLINE);
    send(text1(), WM_CHAR, L'x');
    program().form().text1().set_text(u"first\r\nsecond");
    EXPECT_FALSE(send(text1(), SCI_CANUNDO));
    EXPECT_EQ(win32_test::selection_of(text1()), (win32_test::Selection{0, 0}));
    EXPECT_EQ(send(text1(), SCI_GETFIRSTVISIBLELINE), 0);
}

TEST_F(ProgramTest, Text1IsAPlainEditableScintillaBoxWithoutScrollBarsOrMargins) {
    // Screen readers know Scintilla by its class name.
    EXPECT_EQ(win32_test::class_name(text1()), u"Scintilla");
    const LONG_PTR style = GetWindowLongPtrW(text1(), GWL_STYLE);
    EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), 0);
    struct Setting {
        const char* what;
        UINT message;
        WPARAM wparam;
        LRESULT expected;
    };
    const Setting settings[] = {
        {"UTF-8", SCI_GETCODEPAGE, 0, SC_CP_UTF8},
        {"CR LF line ends", SCI_GETEOLMODE, 0, SC_EOL_CRLF},
        {"word wrap", SCI_GETWRAPMODE, 0, SC_WRAP_WORD},
        {"no horizontal scroll bar", SCI_GETHSCROLLBAR, 0, FALSE},
        {"no vertical scroll bar", SCI_GETVSCROLLBAR, 0, FALSE},
        {"editable", SCI_GETREADONLY, 0, FALSE},
        {"Japanese composed inline", SCI_GETIMEINTERACTION, 0, SC_IME_INLINE},
        {"no multiple selections", SCI_GETMULTIPLESELECTION, 0, FALSE},
        {"GDI drawing", SCI_GETTECHNOLOGY, 0, SC_TECHNOLOGY_DEFAULT},
    };
    for (const Setting& setting : settings)
        EXPECT_EQ(send(text1(), setting.message, setting.wparam), setting.expected) << setting.what;
    const auto margins = static_cast<WPARAM>(send(text1(), SCI_GETMARGINS));
    for (WPARAM margin = 0; margin < margins; ++margin)
        EXPECT_EQ(send(text1(), SCI_GETMARGINWIDTHN, margin), 0) << "margin " << margin;
    // The text and its background in the system's colours, whichever style a run has.
    for (const int text_style : {0, 1, 2, STYLE_DEFAULT}) {
        EXPECT_EQ(send(text1(), SCI_STYLEGETFORE, static_cast<WPARAM>(text_style)),
                  static_cast<LRESULT>(GetSysColor(COLOR_WINDOWTEXT)));
        EXPECT_EQ(send(text1(), SCI_STYLEGETBACK, static_cast<WPARAM>(text_style)),
                  static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)));
    }
}

TEST_F(ProgramTest, StartsInTheSystemMessageFont) {
    const int dpi = platform::win32::window_dpi(text1()).y;
    const LOGFONTW message = platform::win32::message_font(dpi);
    platform::win32::ScintillaTextBox& box = program().form().text1();
    EXPECT_EQ(box.font_name(),
              text::u16_from_wide_buffer(platform::win32::realized_font(message).lfFaceName));
    EXPECT_FALSE(box.font_name().empty());
    EXPECT_FLOAT_EQ(box.font_size(), platform::win32::points_from_height(message.lfHeight, dpi));
    const host::FontChoice shown = shown_font(text1());
    EXPECT_EQ(shown.name, box.font_name());
    EXPECT_NEAR(shown.size, box.font_size(), 0.005f);
}

// The box's client area as it paints it.
std::vector<std::uint32_t> picture_of(HWND box) {
    RECT client{};
    GetClientRect(box, &client);
    const HDC screen = GetDC(box);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    const auto* const pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> picture(pixels, pixels + client.right * client.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(box, screen);
    return picture;
}

std::size_t pixels_differing(const std::vector<std::uint32_t>& a,
                             const std::vector<std::uint32_t>& b) {
    std::size_t differing = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        differing += a[i] != b[i] ? 1 : 0;
    return differing;
}

// Japanese, Cyrillic after Latin and the rest draw as themselves, not as the boxes of a font
// without them, in the face the box starts with and the ones Wine starts it with: what a
// Japanese Windows gets by linking its fonts, the test prefix gets from its font links.
TEST_F(ProgramTest, JapaneseAndEmoticonsDrawAsThemselvesInTheStartingFaces) {
    platform::win32::ScintillaTextBox& box = program().form().text1();
    const std::u16string texts[] = {u"日本語のテキストです", u"( ﾟдﾟ)ﾊｯ! a д b Αλφα ∀"};
    const auto picture_with = [&](const std::u16string& text) {
        box.set_text(text);
        paint_now(form());
        return picture_of(text1());
    };
    for (const std::u16string& face :
         {box.font_name(), std::u16string(u"Tahoma"), std::u16string(u"Liberation Sans")}) {
        box.set_font_name(face);
        for (const std::u16string& text : texts) {
            // The same text with every character beyond ASCII one that no font has: what the
            // text would look like if its own characters were missing too.
            std::u16string missing = text;
            for (char16_t& unit : missing) {
                if (unit >= 0x80)
                    unit = u'\uE000';
            }
            const std::vector<std::uint32_t> shown = picture_with(text);
            EXPECT_GT(pixels_differing(shown, picture_with(missing)), 100u)
                << "drawn as boxes in " << text::utf8_from_utf16(face) << ": "
                << text::utf8_from_utf16(text);
        }
    }
}

// A failure Scintilla kept from a message that came another way (a key press, say) is not thrown
// from the next call; a call's own failure is.
TEST_F(ProgramTest, OnlyTheCallThatFailedThrows) {
    const platform::scintilla::ScintillaCall& call = program().form().text1().call();
    SendMessageW(text1(), SCI_SETSTATUS, SC_STATUS_BADALLOC, 0);
    EXPECT_NO_THROW(program().form().text1().set_text(u"abc"));
    EXPECT_THROW(call(SCI_SETSTATUS, SC_STATUS_BADALLOC), std::bad_alloc);
    EXPECT_THROW(call(SCI_SETSTATUS, SC_STATUS_FAILURE), host::HostError);
    EXPECT_EQ(call(SCI_GETLENGTH), 3);
}

// Nothing is dropped into the box: even where OLE runs when the box is made, it registers no
// drop target, which would also take files dropped on the window away from the window itself.
TEST_F(ProgramTest, TheBoxTakesNoDrops) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    {
        platform::win32::ScintillaTextBox box;
        box.create(form(), GetModuleHandleW(nullptr));
        EXPECT_EQ(GetPropW(box.hwnd(), L"OleDropTargetInterface"), nullptr);
        DestroyWindow(box.hwnd());
    }
    OleUninitialize();
}

// A text with a line beyond the limit is refused before the box sees it, the old text kept.
TEST_F(ProgramTest, ATextWithALineBeyondTheLimitIsRefused) {
    platform::win32::ScintillaTextBox& box = program().form().text1();
    box.set_text(u"前のテキスト");
    EXPECT_THROW(
        box.set_text(u"前\r\n" + std::u16string(platform::scintilla::max_line_bytes + 1, u'a') +
                     u"\r\n後\r\n"),
        host::HostError);
    EXPECT_EQ(box.text(), u"前のテキスト");
}

}  // namespace
