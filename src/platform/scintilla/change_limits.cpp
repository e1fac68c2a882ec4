// The limits' arithmetic and wording.
#include "platform/scintilla/change_limits.h"

namespace platform::scintilla {

Verdict vet_insertion(const ChangeLimits& limits, const InsertionSite& site,
                      std::string_view inserted) noexcept {
    if (site.box_bytes > limits.box_bytes || inserted.size() > limits.box_bytes - site.box_bytes)
        return Verdict::box_too_large;
    // A line can only grow by what comes in: its line ends are looked for only when the whole
    // of it joined to both sides would be too long.
    const std::uint64_t whole = site.line_before + inserted.size() + site.line_after;
    if (whole > limits.line_bytes &&
        longest_line_after_insertion(site.line_before, inserted, site.line_after) >
            limits.line_bytes) {
        return Verdict::line_too_long;
    }
    return Verdict::allowed;
}

Verdict vet_deletion(const ChangeLimits& limits, const DeletionSite& site) noexcept {
    if (site.joins_lines && site.line_before + site.line_after > limits.line_bytes)
        return Verdict::line_too_long;
    return Verdict::allowed;
}

std::u16string refusal_message(ChangeKind kind, Verdict verdict) {
    const bool line = verdict == Verdict::line_too_long;
    const std::u16string_view too_large = line ? line_too_long_text : common::text_too_large;
    const std::u16string limit = line ? line_limit_text() : common::text_limit_text();
    switch (kind) {
        case ChangeKind::paste:
            return common::refused_paste_message(too_large, limit);
        case ChangeKind::typing:
            return common::refused_change_message(u"入力すると", u"入力しませんでした", too_large,
                                                  limit);
        case ChangeKind::deletion:
            break;
    }
    return common::refused_change_message(u"削除すると", u"削除しませんでした", too_large, limit);
}

}  // namespace platform::scintilla
