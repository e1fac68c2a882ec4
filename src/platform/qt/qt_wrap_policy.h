// When Text1 must wrap anywhere rather than at word boundaries: Qt wraps a word too long for
// one line at a boundary first, scanning the rest of the word again for every screen line, so a
// word of a million letters takes a minute to lay out and 50 MiB more than a day. Past a length
// the whole text breaks anywhere instead, which for such a word looks the same.
#pragma once

#include <string_view>

class QTextDocument;

namespace platform::qt {

// Longer than this with no place to break, by Qt's own line-breaking rules, and a text wraps
// anywhere.
inline constexpr int longest_word_wrapped_at_boundaries = 16384;

// Whether some stretch of the text has no place to break a line for longer than the limit.
bool has_overlong_word(std::u16string_view text);

// The same question after an edit of a document that had no such stretch: only the stretches
// the edit touched can have become too long, so only a window around the change (`added` units
// inserted at `position`, perhaps after a removal there) is looked at, and typing stays cheap
// however large the text.
bool edit_made_overlong_word(const QTextDocument& document, int position, int added);

}  // namespace platform::qt
