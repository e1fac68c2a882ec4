// Reading the clipboard's text: open (trying again while another program holds it), copy within
// GlobalSize, close.
#include "platform/win32/clipboard_text.h"

#include <algorithm>

#include "text/text_lines.h"

namespace platform::win32 {
namespace {

// Closes the clipboard this thread opened.
class ClipboardLock {
  public:
    ClipboardLock() = default;
    ~ClipboardLock() { CloseClipboard(); }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
};

// A clipboard memory block, locked while this lives.
class LockedBlock {
  public:
    explicit LockedBlock(HANDLE memory) noexcept : memory_(memory), data_(GlobalLock(memory)) {}
    ~LockedBlock() {
        if (data_ != nullptr)
            GlobalUnlock(memory_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    const void* data() const noexcept { return data_; }
    std::size_t size() const noexcept { return GlobalSize(memory_); }

  private:
    HANDLE memory_;
    void* data_;
};

// Another program may hold the clipboard open for a moment (a clipboard manager copying what was
// just copied): tried again after 1, 2, 4 … 64 ms, some 0.13 s in all, as Windows programs do.
bool open_clipboard(HWND owner) {
    constexpr int tries = 8;
    for (int attempt = 0; attempt < tries; ++attempt) {
        if (attempt > 0)
            Sleep(1u << (attempt - 1));
        if (OpenClipboard(owner))
            return true;
    }
    return false;
}

}  // namespace

std::u16string text_of_block(const void* data, std::size_t bytes) {
    const auto* const units = static_cast<const char16_t*>(data);
    const std::size_t count = bytes / sizeof(char16_t);
    return std::u16string(units, std::find(units, units + count, u'\0'));
}

std::optional<std::u16string> clipboard_text(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !open_clipboard(owner))
        return std::nullopt;
    const ClipboardLock lock;
    const HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    if (memory == nullptr)
        return std::nullopt;
    const LockedBlock block(memory);
    if (block.data() == nullptr)
        return std::nullopt;
    return text_of_block(block.data(), block.size());
}

std::u16string with_crlf_breaks(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    text::LineCursor lines(text);
    while (!lines.at_end()) {
        result += lines.next_line();
        if (!lines.at_end())
            result += u"\r\n";
    }
    if (!text.empty() && (text.back() == u'\r' || text.back() == u'\n'))
        result += u"\r\n";
    return result;
}

}  // namespace platform::win32
