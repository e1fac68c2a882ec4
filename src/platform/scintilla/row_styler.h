// Styles the box's text so that its rows break where Unicode allows (row_marks.h), as Scintilla
// asks (SCN_STYLENEEDED): in pieces read with a little context either side, resumed where styling
// stopped rather than at the line's start, and after an edit only until the new styles meet those
// kept from before it, however long the line. Each line starts with the same style, so a line may
// be styled before the lines above it (as a far jump does) and get the styles it would anyway.
#pragma once

#include <utility>

#include "platform/scintilla/break_opportunities.h"
#include "platform/scintilla/known_styles.h"
#include "platform/scintilla/scintilla_call.h"

namespace platform::scintilla {

// The most styled at once: the platform is asked once a piece, and a line of many megabytes
// needs no more than a piece's worth of memory at a time.
inline constexpr Sci_Position row_piece_bytes = 64 * 1024;

class RowStyler {
  public:
    // `piece_bytes` smaller than usual lets a test cross many pieces with a short text.
    explicit RowStyler(BreakOpportunities breaks, Sci_Position piece_bytes = row_piece_bytes)
        : breaks_(std::move(breaks)), piece_bytes_(piece_bytes) {}

    // To be given every notification of the box before anything else acts on it: styles on
    // SCN_STYLENEEDED, and follows insertions and deletions (SCN_MODIFIED) to know which styles
    // an edit leaves right.
    void on_notification(const ScintillaCall& call, const SCNotification& notification);

  private:
    // Where styling resumes for Scintilla's end of styling, `styled_end`.
    Sci_Position resume_point(const ScintillaCall& call, Sci_Position styled_end) const;
    // Styles from `start` towards `end` and returns where it stopped: `end`, or the end of the
    // known styles it met.
    Sci_Position style_run(const ScintillaCall& call, Sci_Position start, Sci_Position end,
                           Sci_Position length);

    BreakOpportunities breaks_;
    Sci_Position piece_bytes_;
    KnownStyles known_;
};

}  // namespace platform::scintilla
