// The paste bound and its wording.
#include "platform/common/paste_limit.h"

#include "text/file_errors.h"
#include "text/utf.h"

namespace platform::common {

bool paste_fits(std::uint64_t kept_bytes, std::u16string_view pasted) noexcept {
    // Each unit makes at least one byte: a paste longer than the room left cannot fit, and is
    // not counted through.
    if (kept_bytes > max_text_box_bytes || pasted.size() > max_text_box_bytes - kept_bytes)
        return false;
    return kept_bytes + text::utf8_size(pasted) <= max_text_box_bytes;
}

std::u16string text_limit_text() {
    return text::limit_text(max_text_box_bytes);
}

std::u16string paste_too_large_message() {
    return refused_paste_message(text_too_large, text_limit_text());
}

std::u16string refused_paste_message(std::u16string_view too_large, std::u16string_view limit) {
    return refused_change_message(u"貼り付けると", u"貼り付けませんでした", too_large, limit);
}

std::u16string refused_change_message(std::u16string_view if_done, std::u16string_view not_done,
                                      std::u16string_view too_large, std::u16string_view limit) {
    std::u16string message(if_done);
    // Half-width words and numbers stand apart from the Japanese around them.
    if (!too_large.empty() && too_large.front() < 0x80)
        message += u' ';
    message += too_large;
    message += u"ため（";
    message += limit;
    message += u"）、";
    message += not_done;
    message += u"。";
    return message;
}

}  // namespace platform::common
