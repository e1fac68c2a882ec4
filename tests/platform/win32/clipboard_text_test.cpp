// The clipboard's text copied out of a memory block that may have no terminating NUL, and line
// breaks made CR LF.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/clipboard_text.h"
#include "win32_test_support.h"

namespace {

using platform::win32::text_of_block;
using platform::win32::with_crlf_breaks;

// Two pages, the second one inaccessible: bytes placed at the end of the first can be read, and
// a single byte past them faults.
class GuardedBuffer {
  public:
    GuardedBuffer() {
        SYSTEM_INFO system{};
        GetSystemInfo(&system);
        page_ = system.dwPageSize;
        base_ = static_cast<char*>(
            VirtualAlloc(nullptr, 2 * page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(base_ + page_, page_, PAGE_NOACCESS, &old);
    }
    ~GuardedBuffer() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // `bytes` copied so that they end right at the inaccessible page.
    const void* place(const void* bytes, std::size_t size) {
        char* const at = base_ + page_ - size;
        std::memcpy(at, bytes, size);
        return at;
    }

  private:
    std::size_t page_ = 0;
    char* base_ = nullptr;
};

TEST(ClipboardText, ABlockIsReadUpToItsFirstNulOrItsEndAndNeverPast) {
    struct Case {
        const char* what;
        std::u16string block;  // the block's units, NULs included
        std::size_t bytes;     // the block's size as GlobalSize gives it
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {"terminated", std::u16string(u"abc\0", 4), 8, u"abc"},
        {"no terminator: cut at the block's end", u"日本語テキスト", 14, u"日本語テキスト"},
        {"a NUL inside ends the text", std::u16string(u"ab\0cd", 5), 10, u"ab"},
        {"an odd size keeps only whole units", u"abc", 5, u"ab"},
        {"an empty block", u"", 0, u""},
    };
    GuardedBuffer buffer;
    for (const Case& c : cases) {
        const void* const data = buffer.place(c.block.data(), c.bytes);
        EXPECT_EQ(text_of_block(data, c.bytes), c.text) << c.what;
    }
}

TEST(ClipboardText, LineBreaksBecomeCrLf) {
    struct Case {
        std::u16string_view text;
        std::u16string_view expected;
    };
    const std::vector<Case> cases = {
        {u"", u""},
        {u"one", u"one"},
        {u"a\r\nb", u"a\r\nb"},
        {u"a\nb\rc", u"a\r\nb\r\nc"},
        {u"end\n", u"end\r\n"},
        {u"\n\n", u"\r\n\r\n"},
        {u"\r\r\n", u"\r\n\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(with_crlf_breaks(c.text), c.expected)
            << std::string(c.text.begin(), c.text.end());
    }
}

// Another program holding the clipboard open for a moment, as a clipboard manager does after each
// copy, while the box reads it.
TEST(ClipboardText, ABusyClipboardIsTriedAgainBriefly) {
    const HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    win32_test::put_on_clipboard(owner, u"貼る");
    const HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([opened] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        Sleep(10);
        CloseClipboard();
    });
    WaitForSingleObject(opened, INFINITE);
    EXPECT_EQ(platform::win32::clipboard_text(owner), std::optional<std::u16string>(u"貼る"));
    holder.join();
    CloseHandle(opened);
    DestroyWindow(owner);
}

}  // namespace
