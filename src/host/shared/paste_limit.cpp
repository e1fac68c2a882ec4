// The paste bound and its wording.
#include "host/shared/paste_limit.h"

#include "host/text/file_errors.h"
#include "host/text/utf.h"

namespace host {

bool paste_fits(std::uint64_t kept_bytes, std::u16string_view pasted) noexcept {
    // Each unit makes at least one byte: a paste longer than the room left cannot fit, and is
    // not counted through.
    if (kept_bytes > max_text_box_bytes || pasted.size() > max_text_box_bytes - kept_bytes)
        return false;
    return kept_bytes + utf8_size(pasted) <= max_text_box_bytes;
}

std::u16string paste_too_large_message() {
    return u"貼り付けるとテキストが大きすぎるため（上限 " + byte_size_text(max_text_box_bytes) +
           u"）、貼り付けませんでした。";
}

}  // namespace host
