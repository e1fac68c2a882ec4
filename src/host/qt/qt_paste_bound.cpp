// Weighing Text1's document for the paste bound.
#include "host/qt/qt_paste_bound.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "host/paste_limit.h"
#include "host/qt/qt_strings.h"
#include "host/text/utf.h"

namespace qt_host {
namespace {

constexpr std::uint64_t line_break_bytes = 2;  // CR LF

// The document makes a lone CR or LF of the paste a line break of its own, one byte heavier.
std::uint64_t bytes_added_to_line_breaks(QStringView pasted) {
    std::uint64_t lone = 0;
    for (qsizetype i = 0; i < pasted.size(); ++i) {
        if (pasted[i] == u'\r') {
            if (i + 1 < pasted.size() && pasted[i + 1] == u'\n')
                ++i;
            else
                ++lone;
        } else if (pasted[i] == u'\n') {
            ++lone;
        }
    }
    return lone;
}

}  // namespace

std::uint64_t kept_utf8_bytes(const QTextDocument& document, int from, int to) {
    std::uint64_t bytes = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int start = block.position();
        const int end = start + block.length() - 1;  // where its line break stands
        if (start >= from && end < to)
            continue;  // replaced whole, line break included
        const QString text = block.text();
        const QStringView units(text);
        const auto slice_bytes = [&](int slice_from, int slice_to) -> std::uint64_t {
            slice_from = std::clamp(slice_from, start, end);
            slice_to = std::clamp(slice_to, start, end);
            return slice_from < slice_to ? host::utf8_size(u16_view(units.sliced(
                                               slice_from - start, slice_to - slice_from)))
                                         : 0;
        };
        bytes += slice_bytes(start, from) + slice_bytes(to, end);
        const bool last = !block.next().isValid();  // ends the document, not a line
        if (!last && (end < from || end >= to))
            bytes += line_break_bytes;
    }
    return bytes;
}

bool paste_fits_document(const QTextDocument& document, int from, int to, QStringView pasted) {
    const std::u16string_view text = u16_view(pasted);
    const std::uint64_t breaks = bytes_added_to_line_breaks(pasted);
    // The count of units includes the document's closing paragraph mark.
    const auto kept_units =
        static_cast<std::uint64_t>(std::max(0, document.characterCount() - 1 - (to - from)));
    if (!host::paste_fits(kept_units + breaks, text))
        return false;
    if (host::paste_fits(3 * kept_units + breaks, text))
        return true;
    return host::paste_fits(kept_utf8_bytes(document, from, to) + breaks, text);
}

}  // namespace qt_host
