// What a change of the box's text may do, whatever made it: leave the box within the paste
// bound (platform/common/paste_limit.h: its text as UTF-8, as a file of it would weigh) and every
// line within the line limit (long_lines.h). Arithmetic on what the box holds around the change,
// and the words of a refusal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/common/paste_limit.h"
#include "platform/scintilla/long_lines.h"

namespace platform::scintilla {

struct ChangeLimits {
    std::uint64_t box_bytes = common::max_text_box_bytes;
    std::uint64_t line_bytes = max_line_bytes;
};

enum class Verdict { allowed, box_too_large, line_too_long };

// Where an insertion lands, in UTF-8 bytes: the box's text before it, and the bytes of the line
// it goes into before and after the place.
struct InsertionSite {
    std::uint64_t box_bytes = 0;
    std::uint64_t line_before = 0;
    std::uint64_t line_after = 0;
};

Verdict vet_insertion(const ChangeLimits& limits, const InsertionSite& site,
                      std::string_view inserted) noexcept;

// A deletion that takes a line end away (`joins_lines`) leaves `line_before` bytes of its first
// line joined to `line_after` bytes of its last.
struct DeletionSite {
    bool joins_lines = false;
    std::uint64_t line_before = 0;
    std::uint64_t line_after = 0;
};

Verdict vet_deletion(const ChangeLimits& limits, const DeletionSite& site) noexcept;

// What the user did that was refused, for the wording.
enum class ChangeKind { typing, paste, deletion };

// Why a change was refused, for a verdict other than allowed: a paste's as it has always been
// worded, typing and deletions alike. The limits named are the program's.
std::u16string refusal_message(ChangeKind kind, Verdict verdict);

}  // namespace platform::scintilla
