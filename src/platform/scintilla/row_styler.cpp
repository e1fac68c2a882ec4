// Styling in pieces, resumed and cut short where kept styles are met.
#include "platform/scintilla/row_styler.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/scintilla/row_marks.h"

namespace platform::scintilla {
namespace {

// Pieces near styles kept from before are a 64th of a piece (1 KiB) longer than the way to them,
// so that after a keystroke little more than the edit's neighbourhood is read.
constexpr Sci_Position meeting_share = 64;
constexpr auto context_bytes = static_cast<Sci_Position>(row_context_bytes);

// A stretch of one style, and what it may be given when styles kept from before must be met.
struct Segment {
    Sci_Position start = 0;
    char style = first_row_style;
    char before = first_row_style;  // the style of the segment before it
    bool free = false;              // started at a change made in this run
};

char style_other_than(char a, char b) {
    char style = 0;
    while (style == a || style == b)
        ++style;
    return style;
}

void paint(const ScintillaCall& call, Sci_Position from, Sci_Position to, char style) {
    call(SCI_STARTSTYLING, static_cast<uptr_t>(from));
    call(SCI_SETSTYLING, static_cast<uptr_t>(to - from), style);
}

// Whether the byte at `at`, styled `kept` from before and given `mark`, can keep that style next
// to the styles of this run, recolouring a free segment or two where that makes it so.
bool meet(const ScintillaCall& call, RowMark mark, char kept, Segment& previous, Segment& current,
          Sci_Position at) {
    if (kept == current.style)
        return true;
    switch (mark) {
        case RowMark::line_start:
            return false;
        case RowMark::change:
            // The byte starts a segment of its own: the kept style must differ from the one before.
            if (previous.style != kept)
                return true;
            if (!previous.free)
                return false;
            previous.style = style_other_than(previous.before, kept);
            paint(call, previous.start, at, previous.style);
            return true;
        case RowMark::same:
            break;
    }
    if (!current.free)
        return false;
    if (current.before == kept) {
        if (!previous.free)
            return false;
        previous.style = style_other_than(previous.before, kept);
        paint(call, previous.start, current.start, previous.style);
    }
    current.style = kept;
    paint(call, current.start, at, kept);
    return true;
}

}  // namespace

void RowStyler::on_notification(const ScintillaCall& call, const SCNotification& notification) {
    if (notification.nmhdr.code == SCN_MODIFIED &&
        (notification.modificationType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) != 0) {
        if ((notification.modificationType & SC_MOD_INSERTTEXT) != 0)
            known_.inserted(notification.position, notification.length);
        else
            known_.deleted(notification.position, notification.length);
        // Scintilla takes its end of styling back to the edit; the marks just before it may change
        // too, even when nothing after the edit is ever styled again.
        const Sci_Position reached = std::max<Sci_Position>(0, notification.position - edit_reach);
        if (call(SCI_GETENDSTYLED) > reached)
            call(SCI_STARTSTYLING, static_cast<uptr_t>(reached));
    } else if (notification.nmhdr.code == SCN_STYLENEEDED) {
        const Sci_Position length = call(SCI_GETLENGTH);
        const Sci_Position end = std::min<Sci_Position>(notification.position, length);
        Sci_Position position = resume_point(call, call(SCI_GETENDSTYLED));
        while (position < end)
            position = style_run(call, position, end, length);
    }
}

Sci_Position RowStyler::resume_point(const ScintillaCall& call, Sci_Position styled_end) const {
    if (styled_end <= 0)
        return 0;
    const Sci_Position line_start =
        call(SCI_POSITIONFROMLINE,
             static_cast<uptr_t>(call(SCI_LINEFROMPOSITION, static_cast<uptr_t>(styled_end))));
    if (styled_end == line_start || known_.holding(styled_end - 1))
        return styled_end;
    // Styles kept up to an edit's neighbourhood: from their end.
    const std::optional<Stretch> before = known_.last_before(styled_end);
    return before && before->to > line_start ? before->to : line_start;
}

Sci_Position RowStyler::style_run(const ScintillaCall& call, Sci_Position start, Sci_Position end,
                                  Sci_Position length) {
    call(SCI_STARTSTYLING, static_cast<uptr_t>(start));
    const char style_before =
        start > 0 ? static_cast<char>(call(SCI_GETSTYLEAT, static_cast<uptr_t>(start - 1)))
                  : first_row_style;
    Segment current{start, style_before, style_before, false};
    Segment previous = current;
    std::vector<RowMark> marks;
    std::string styles;
    Sci_Position position = start;
    while (position < end) {
        const std::optional<Stretch> ahead = known_.next(position);
        Sci_Position piece_end = std::min(end, position + piece_bytes_);
        if (ahead && ahead->from < piece_end) {
            const Sci_Position meeting = std::max<Sci_Position>(1, piece_bytes_ / meeting_share);
            piece_end = std::min(piece_end, std::max(ahead->from, position) + meeting);
        }
        // The piece and its context, and not a byte more.
        const Sci_Position window_from = std::max<Sci_Position>(0, position - context_bytes);
        const Sci_Position window_to = std::min(length, piece_end + context_bytes);
        const auto* const bytes = reinterpret_cast<const char*>(
            call(SCI_GETRANGEPOINTER, static_cast<uptr_t>(window_from), window_to - window_from));
        const RowText text{{bytes, static_cast<std::size_t>(window_to - window_from)},
                           static_cast<std::size_t>(position - window_from),
                           static_cast<std::size_t>(piece_end - window_from),
                           window_from == 0};
        marks.clear();
        mark_rows(text, breaks_, marks);
        const auto flush = [&] {
            if (!styles.empty())
                call.with_pointer(SCI_SETSTYLINGEX, styles.size(), styles.data());
            styles.clear();
        };
        for (Sci_Position at = position; at < piece_end; ++at) {
            const RowMark mark = marks[static_cast<std::size_t>(at - position)];
            if (mark != RowMark::same) {
                previous = current;
                current = {at, row_style_at(mark, current.style), current.style,
                           mark == RowMark::change};
            }
            // Kept styles are tried where they start and at each change: between changes a
            // mismatch stays one.
            if (ahead && at >= ahead->from && at < ahead->to &&
                (mark != RowMark::same || at == std::max(ahead->from, position))) {
                const auto kept = static_cast<char>(call(SCI_GETSTYLEAT, static_cast<uptr_t>(at)));
                flush();
                if (meet(call, mark, kept, previous, current, at)) {
                    known_.styled(start, at, true);
                    call(SCI_STARTSTYLING, static_cast<uptr_t>(ahead->to));
                    return ahead->to;
                }
            }
            styles.push_back(current.style);
        }
        flush();
        position = piece_end;
    }
    known_.styled(start, position, false);
    return position;
}

}  // namespace platform::scintilla
