// The checks Scintilla asks for, answered from the text around the change.
#include "platform/scintilla/insertion_gate.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace platform::scintilla {
namespace {

constexpr int text_changes = SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT;

}  // namespace

void InsertionGate::on_modified(const SCNotification& notification) noexcept {
    if (notification.nmhdr.code != SCN_MODIFIED || unchecked_ > 0)
        return;
    try {
        vet(notification);
    } catch (...) {
        // Never reported from inside Scintilla's notification.
        if (!failure_)
            failure_ = std::current_exception();
        if ((notification.modificationType & (SC_MOD_INSERTCHECK | SC_MOD_DELETECHECK)) != 0) {
            try {
                call_.with_text(SCI_CHANGEINSERTION, 0, "");
            } catch (...) {  // Scintilla is failing already; the failure above is said
            }
        }
    }
}

void InsertionGate::vet(const SCNotification& notification) {
    const int type = notification.modificationType;
    if ((type & SC_MOD_INSERTCHECK) != 0) {
        checking();
        if (const Verdict verdict = vet_insertion(notification); verdict != Verdict::allowed)
            refuse(pasting_ > 0 ? ChangeKind::paste : ChangeKind::typing, verdict);
    } else if ((type & SC_MOD_DELETECHECK) != 0) {
        checking();
        if (const Verdict verdict = vet_deletion(notification); verdict != Verdict::allowed)
            refuse(pasting_ > 0 ? ChangeKind::paste : ChangeKind::deletion, verdict);
    } else if ((type & text_changes) != 0) {
        if ((type & SC_PERFORMED_USER) != 0)
            changed_ = true;
        else if (refusal_ && (type & SC_PERFORMED_UNDO) != 0)
            taken_back_ = true;
    }
}

std::optional<std::u16string> InsertionGate::settle() {
    const std::optional<Selection> selection = std::exchange(selection_at_check_, {});
    const std::optional<Refusal> refusal = std::exchange(refusal_, {});
    const bool changed = std::exchange(changed_, false);
    const bool unchanged = !changed || std::exchange(taken_back_, false);
    taken_back_ = false;
    // Scintilla collapses the selection of a command it then refuses (or takes back): the text
    // as it was gets its selection as it was.
    if (refusal && unchanged && selection)
        call_(SCI_SETSEL, static_cast<uptr_t>(selection->anchor), selection->caret);
    if (const std::exception_ptr failure = std::exchange(failure_, nullptr))
        std::rethrow_exception(failure);
    if (!refusal)
        return std::nullopt;
    return refusal_message(refusal->kind, refusal->verdict);
}

void InsertionGate::checking() {
    if (!selection_at_check_)
        selection_at_check_ = Selection{call_(SCI_GETANCHOR), call_(SCI_GETCURRENTPOS)};
}

Verdict InsertionGate::vet_insertion(const SCNotification& notification) const {
    const Sci_Position position = notification.position;
    const Sci_Position line = call_(SCI_LINEFROMPOSITION, static_cast<uptr_t>(position));
    const Sci_Position line_start = call_(SCI_POSITIONFROMLINE, static_cast<uptr_t>(line));
    const Sci_Position line_end = call_(SCI_GETLINEENDPOSITION, static_cast<uptr_t>(line));
    const InsertionSite site{
        .box_bytes = static_cast<std::uint64_t>(call_(SCI_GETLENGTH)),
        .line_before = static_cast<std::uint64_t>(position - line_start),
        // A place inside a CR LF has nothing of the line after it.
        .line_after = static_cast<std::uint64_t>(std::max<Sci_Position>(0, line_end - position)),
    };
    const std::string_view inserted(notification.text,
                                    static_cast<std::size_t>(notification.length));
    return scintilla::vet_insertion(limits_, site, inserted);
}

Verdict InsertionGate::vet_deletion(const SCNotification& notification) const {
    const Sci_Position start = notification.position;
    const Sci_Position end = start + notification.length;
    const Sci_Position first_line = call_(SCI_LINEFROMPOSITION, static_cast<uptr_t>(start));
    const Sci_Position last_line = call_(SCI_LINEFROMPOSITION, static_cast<uptr_t>(end));
    if (first_line == last_line)
        return Verdict::allowed;  // within one line, which only gets shorter
    const Sci_Position last_end = call_(SCI_GETLINEENDPOSITION, static_cast<uptr_t>(last_line));
    const DeletionSite site{
        .joins_lines = true,
        .line_before = static_cast<std::uint64_t>(
            start - call_(SCI_POSITIONFROMLINE, static_cast<uptr_t>(first_line))),
        .line_after = static_cast<std::uint64_t>(std::max<Sci_Position>(0, last_end - end)),
    };
    return scintilla::vet_deletion(limits_, site);
}

void InsertionGate::refuse(ChangeKind kind, Verdict verdict) {
    // An insertion changed to nothing, or any change of a deletion's, refuses it.
    call_.with_text(SCI_CHANGEINSERTION, 0, "");
    if (!refusal_)
        refusal_ = Refusal{kind, verdict};
}

}  // namespace platform::scintilla
