// Finding words too long for Qt to wrap at boundaries in reasonable time.
#include "platform/qt/qt_wrap_policy.h"

#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstddef>

#include "platform/qt/qt_strings.h"

namespace platform::qt {
namespace {

constexpr auto limit = static_cast<std::size_t>(longest_word_wrapped_at_boundaries);

// Spaces and line ends split the text cheaply; U+2029 is how a document's text ends a block.
bool breaks_lines_here(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == u'\u3000' ||
           unit == u'\u2029';
}

// A stretch without spaces can still break between Japanese characters: Qt's rules decide.
bool stretch_has_overlong_word(std::u16string_view stretch) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line,
                               reinterpret_cast<const QChar*>(stretch.data()),
                               static_cast<qsizetype>(stretch.size()));
    qsizetype previous = 0;
    for (qsizetype next = finder.toNextBoundary(); next >= 0; next = finder.toNextBoundary()) {
        if (static_cast<std::size_t>(next - previous) > limit)
            return true;
        previous = next;
    }
    return false;
}

}  // namespace

bool has_overlong_word(std::u16string_view text) {
    std::size_t start = 0;
    for (std::size_t end = 0; end <= text.size(); ++end) {
        if (end < text.size() && !breaks_lines_here(text[end]))
            continue;
        if (end - start > limit && stretch_has_overlong_word(text.substr(start, end - start)))
            return true;
        start = end + 1;
    }
    return false;
}

bool edit_made_overlong_word(const QTextDocument& document, int position, int added) {
    // A stretch longer than the limit that holds a changed unit reaches more than the limit
    // past the change on at least one side, or lies within the change: cut to this window it
    // is still longer than the limit. Stretches elsewhere were there before, and were short.
    const int last = std::max(0, document.characterCount() - 1);
    const int from = std::clamp(position - longest_word_wrapped_at_boundaries - 1, 0, last);
    const int to = std::clamp(position + added + longest_word_wrapped_at_boundaries + 1, 0, last);
    QTextCursor window(const_cast<QTextDocument*>(&document));
    window.setPosition(from);
    window.setPosition(to, QTextCursor::KeepAnchor);
    const QString text = window.selectedText();
    return has_overlong_word(u16_view(text));
}

}  // namespace platform::qt
