// Weighing Text1's document for the paste bound.
#include "platform/qt/qt_paste_bound.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "platform/common/paste_limit.h"
#include "platform/qt/qt_strings.h"
#include "text/utf.h"

namespace platform::qt {
namespace {

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

// The UTF-8 size of [from, to), a stretch at a time: one copy of a megabyte costs less than one
// of every line, and the whole text is never copied at once.
std::uint64_t utf8_bytes_between(const QTextDocument& document, int from, int to) {
    constexpr int stretch_units = 1 << 20;
    QTextCursor stretch(const_cast<QTextDocument*>(&document));
    std::uint64_t bytes = 0;
    for (int start = from; start < to;) {
        int end = std::min(to, start + stretch_units);
        if (end < to && document.characterAt(end - 1).isHighSurrogate())
            ++end;  // a character is weighed whole
        stretch.setPosition(start);
        stretch.setPosition(end, QTextCursor::KeepAnchor);
        const QString text = stretch.selectedText();
        const std::u16string_view units = u16_view(text);
        // The document ends each line with U+2029, three bytes as UTF-8, one more than CR LF.
        bytes += text::utf8_size(units) -
                 static_cast<std::uint64_t>(std::count(units.begin(), units.end(), u'\u2029'));
        start = end;
    }
    return bytes;
}

}  // namespace

std::uint64_t kept_utf8_bytes(const QTextDocument& document, int from, int to) {
    const int end = std::max(0, document.characterCount() - 1);  // the closing mark is no text
    return utf8_bytes_between(document, 0, std::clamp(from, 0, end)) +
           utf8_bytes_between(document, std::clamp(to, 0, end), end);
}

bool paste_fits_document(const QTextDocument& document, int from, int to, QStringView pasted) {
    const std::u16string_view text = u16_view(pasted);
    const std::uint64_t breaks = bytes_added_to_line_breaks(pasted);
    // The count of units includes the document's closing paragraph mark.
    const auto kept_units =
        static_cast<std::uint64_t>(std::max(0, document.characterCount() - 1 - (to - from)));
    if (!common::paste_fits(kept_units + breaks, text))
        return false;
    if (common::paste_fits(3 * kept_units + breaks, text))
        return true;
    return common::paste_fits(kept_utf8_bytes(document, from, to) + breaks, text);
}

}  // namespace platform::qt
