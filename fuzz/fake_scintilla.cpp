// The messages the row styling sends, answered as Scintilla's Document answers them.
#include "fake_scintilla.h"

#include <algorithm>
#include <cstring>

#include "fuzz_check.h"

namespace fuzz {

void FakeScintilla::notify_modified(int type, Sci_Position at, Sci_Position length) {
    SCNotification notification{};
    notification.nmhdr.code = SCN_MODIFIED;
    notification.modificationType = type;
    notification.position = at;
    notification.length = length;
    styler_.on_notification(call(), notification);
}

void FakeScintilla::insert(Sci_Position at, std::string_view bytes) {
    if (bytes.empty())
        return;
    const auto where = static_cast<std::size_t>(at);
    text_.insert(where, bytes);
    styles_.insert(where, bytes.size(), '\0');
    end_styled_ = std::min(end_styled_, at);
    notify_modified(SC_MOD_INSERTTEXT, at, static_cast<Sci_Position>(bytes.size()));
}

void FakeScintilla::remove(Sci_Position at, Sci_Position length) {
    text_.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(length));
    styles_.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(length));
    end_styled_ = std::min(end_styled_, at);
    notify_modified(SC_MOD_DELETETEXT, at, length);
}

void FakeScintilla::ensure_styled(Sci_Position end) {
    if (end <= end_styled_)
        return;
    SCNotification notification{};
    notification.nmhdr.code = SCN_STYLENEEDED;
    notification.position = end;
    styler_.on_notification(call(), notification);
    check(end_styled_ >= end, "styled as far as asked");
}

void FakeScintilla::style_out_of_order(Sci_Position from, Sci_Position end) {
    const Sci_Position before = end_styled_;
    end_styled_ = line_start(from);
    ensure_styled(end);
    end_styled_ = before;
}

Sci_Position FakeScintilla::line_start(Sci_Position position) const {
    while (position > 0) {
        const char before = text_[static_cast<std::size_t>(position - 1)];
        if (before == '\n' ||
            (before == '\r' && (static_cast<std::size_t>(position) == text_.size() ||
                                text_[static_cast<std::size_t>(position)] != '\n')))
            break;
        --position;
    }
    return position;
}

sptr_t FakeScintilla::direct(sptr_t self, unsigned int message, uptr_t wparam, sptr_t lparam,
                             int* status) {
    *status = SC_STATUS_OK;
    return reinterpret_cast<FakeScintilla*>(self)->answer(message, wparam, lparam);
}

sptr_t FakeScintilla::answer(unsigned int message, uptr_t wparam, sptr_t lparam) {
    const auto length = static_cast<Sci_Position>(text_.size());
    const auto position = static_cast<Sci_Position>(wparam);
    switch (message) {
        case SCI_GETSTATUS:
        case SCI_SETSTATUS:
            return SC_STATUS_OK;
        case SCI_GETLENGTH:
            return length;
        case SCI_GETENDSTYLED:
            return end_styled_;
        // A line is named here by where it starts: the styling only turns one into the other.
        case SCI_LINEFROMPOSITION:
            check(position >= 0 && position <= length, "a line asked for inside the text");
            return line_start(position);
        case SCI_POSITIONFROMLINE:
            return position;
        case SCI_GETRANGEPOINTER: {
            check(position >= 0 && lparam > 0 && position + lparam <= length,
                  "a range asked for inside the text");
            range_ = std::make_unique<char[]>(static_cast<std::size_t>(lparam));
            std::memcpy(range_.get(), text_.data() + position, static_cast<std::size_t>(lparam));
            return reinterpret_cast<sptr_t>(range_.get());
        }
        case SCI_GETSTYLEAT:
            check(position >= 0 && position < length, "a style read inside the text");
            return static_cast<unsigned char>(styles_[static_cast<std::size_t>(position)]);
        case SCI_STARTSTYLING:
            check(position >= 0 && position <= length, "styling started inside the text");
            end_styled_ = position;
            return 0;
        case SCI_SETSTYLING:
        case SCI_SETSTYLINGEX: {
            check(end_styled_ + position <= length, "styles set inside the text");
            const auto at = static_cast<std::size_t>(end_styled_);
            if (message == SCI_SETSTYLING)
                std::fill_n(styles_.begin() + static_cast<std::ptrdiff_t>(at), wparam,
                            static_cast<char>(lparam));
            else
                std::memcpy(styles_.data() + at, reinterpret_cast<const char*>(lparam), wparam);
            end_styled_ += position;
            return 0;
        }
        default:
            check(false, "a message the row styling has no need of");
            return 0;
    }
}

}  // namespace fuzz
