// Break opportunities from Uniscribe.
#include "platform/win32/line_breaks.h"

#include <windows.h>

#include <usp10.h>

#include <algorithm>

#include "text/utf.h"

namespace platform::win32 {
namespace {

// What an item is broken with of the one before it, for the rules that look back.
constexpr int context_units = 8;

}  // namespace

std::vector<std::uint8_t> break_opportunities(std::u16string_view text) {
    std::vector<std::uint8_t> breaks(text.size(), 0);
    if (text.empty())
        return breaks;
    const auto* const wide = reinterpret_cast<const wchar_t*>(text.data());
    const auto length = static_cast<int>(text.size());
    std::vector<SCRIPT_ITEM> items(text.size() / 8 + 4);
    int count = 0;
    for (;;) {
        const HRESULT result = ScriptItemize(wide, length, static_cast<int>(items.size()) - 1,
                                             nullptr, nullptr, items.data(), &count);
        if (SUCCEEDED(result))
            break;
        if (result != E_OUTOFMEMORY || items.size() > text.size() + 1)
            return breaks;  // no breaks of ours: Scintilla's own at spaces and the edge remain
        items.resize(std::min(items.size() * 2, text.size() + 2));
    }
    std::vector<SCRIPT_LOGATTR> attributes(text.size());
    for (int i = 0; i < count; ++i) {
        const int start = items[i].iCharPos;
        const int end = items[i + 1].iCharPos;
        // An item is broken with the end of the one before it, so that its first character's
        // break sees what precedes it.
        int from = std::max(0, start - context_units);
        if (from > 0 && text::is_low_surrogate(text[static_cast<std::size_t>(from)]))
            --from;
        if (FAILED(ScriptBreak(wide + from, end - from, &items[i].a, attributes.data())))
            continue;
        for (int unit = start; unit < end; ++unit) {
            breaks[static_cast<std::size_t>(unit)] =
                attributes[static_cast<std::size_t>(unit - from)].fSoftBreak ? 1 : 0;
        }
    }
    breaks[0] = 0;
    return breaks;
}

}  // namespace platform::win32
