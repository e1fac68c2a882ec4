// Which of the box's stored styles are known to be right: stretches of text whose styles change
// exactly at their marks (row_marks.h) and start each line with the first style. Edits move them
// and cut out what an edit may have changed around it (its bytes and their context), so that
// styling after an edit stops where it meets styles kept from before.
#pragma once

#include <Scintilla.h>

#include <optional>
#include <vector>

namespace platform::scintilla {

// How near an edit a byte's mark may change: the bytes within the context of its own.
inline constexpr Sci_Position edit_reach = 33;

struct Stretch {
    Sci_Position from = 0;
    Sci_Position to = 0;
};

class KnownStyles {
  public:
    // [from, to) has just been styled, its first byte's style following the byte before it or
    // its line's start: it joins the stretch ending at `from`, and with `meets_next` (its last
    // style agrees with the next byte's) the one starting at `to`.
    void styled(Sci_Position from, Sci_Position to, bool meets_next);

    void inserted(Sci_Position at, Sci_Position length);
    void deleted(Sci_Position at, Sci_Position length);

    // The stretch holding `position`.
    std::optional<Stretch> holding(Sci_Position position) const;
    // The first stretch holding `position` or starting after it.
    std::optional<Stretch> next(Sci_Position position) const;
    // The last stretch ending at or before `position`.
    std::optional<Stretch> last_before(Sci_Position position) const;

  private:
    // Takes [from, to) out of every stretch.
    void cut(Sci_Position from, Sci_Position to);

    std::vector<Stretch> stretches_;  // in order, apart
};

}  // namespace platform::scintilla
