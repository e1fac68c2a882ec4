// Stretches of known styles, kept in order through edits.
#include "platform/scintilla/known_styles.h"

#include <algorithm>

#include "platform/scintilla/row_marks.h"

namespace platform::scintilla {
namespace {

// The bytes an edit is context of, and the one after: their marks may change.
static_assert(edit_reach == static_cast<Sci_Position>(row_context_bytes) + 1);

// Far apart edits each split a stretch; past this many, the shortest are forgotten (styled
// again when reached), which costs time but never a wrong style.
constexpr std::size_t most_stretches = 16;

}  // namespace

void KnownStyles::cut(Sci_Position from, Sci_Position to) {
    if (from >= to)
        return;
    std::vector<Stretch> kept;
    kept.reserve(stretches_.size() + 1);
    for (const Stretch& stretch : stretches_) {
        if (stretch.from >= stretch.to)
            continue;
        if (stretch.to <= from || stretch.from >= to) {
            kept.push_back(stretch);
            continue;
        }
        if (stretch.from < from)
            kept.push_back({stretch.from, from});
        if (stretch.to > to)
            kept.push_back({to, stretch.to});
    }
    stretches_ = std::move(kept);
}

void KnownStyles::styled(Sci_Position from, Sci_Position to, bool meets_next) {
    cut(from, to);
    const auto after = std::find_if(stretches_.begin(), stretches_.end(),
                                    [&](const Stretch& stretch) { return stretch.from >= to; });
    Stretch joined{from, to};
    auto first = after;
    if (first != stretches_.begin() && std::prev(first)->to == from) {
        --first;
        joined.from = first->from;
    }
    auto last = after;
    if (meets_next && last != stretches_.end() && last->from == to) {
        joined.to = last->to;
        ++last;
    }
    if (joined.from >= joined.to)
        return;
    stretches_.insert(stretches_.erase(first, last), joined);
    if (stretches_.size() > most_stretches) {
        stretches_.erase(std::min_element(
            stretches_.begin(), stretches_.end(),
            [](const Stretch& a, const Stretch& b) { return a.to - a.from < b.to - b.from; }));
    }
}

void KnownStyles::inserted(Sci_Position at, Sci_Position length) {
    for (Stretch& stretch : stretches_) {
        if (stretch.from >= at)
            stretch.from += length;
        if (stretch.to >= at)
            stretch.to += length;
    }
    cut(at - edit_reach, at + length + edit_reach);
}

void KnownStyles::deleted(Sci_Position at, Sci_Position length) {
    const auto moved = [&](Sci_Position position) {
        return position >= at + length ? position - length : std::min(position, at);
    };
    for (Stretch& stretch : stretches_) {
        stretch.from = moved(stretch.from);
        stretch.to = moved(stretch.to);
    }
    cut(at - edit_reach, at + edit_reach);
}

std::optional<Stretch> KnownStyles::holding(Sci_Position position) const {
    for (const Stretch& stretch : stretches_) {
        if (stretch.from <= position && position < stretch.to)
            return stretch;
    }
    return std::nullopt;
}

std::optional<Stretch> KnownStyles::next(Sci_Position position) const {
    for (const Stretch& stretch : stretches_) {
        if (position < stretch.to)
            return stretch;
    }
    return std::nullopt;
}

std::optional<Stretch> KnownStyles::last_before(Sci_Position position) const {
    std::optional<Stretch> last;
    for (const Stretch& stretch : stretches_) {
        if (stretch.to > position)
            break;
        last = stretch;
    }
    return last;
}

}  // namespace platform::scintilla
