// The text box's checks: row styles and the insertion gate's limits.
#include "box_checks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_scintilla.h"
#include "fuzz_check.h"
#include "platform/scintilla/change_limits.h"
#include "platform/scintilla/row_marks.h"

namespace fuzz {
namespace {

using platform::scintilla::RowMark;

// Whether a row may break before each unit, from the unit, the two before it and the one after:
// it looks both ways, as Unicode's rules do, within the context the styling reads.
std::vector<std::uint8_t> fixed_breaks(std::u16string_view text) {
    std::vector<std::uint8_t> breaks(text.size(), 0);
    for (std::size_t i = 1; i < text.size(); ++i) {
        const unsigned two_before = i >= 2 ? text[i - 2] : 0;
        const unsigned after = i + 1 < text.size() ? text[i + 1] : 0;
        breaks[i] = (text[i - 1] * 7u + text[i] * 3u + two_before + after * 5u) % 3 != 0;
    }
    return breaks;
}

// Styles that change exactly where the whole text, marked at once, says.
void check_styles_follow_marks(const std::string& text, const std::string& styles) {
    std::vector<RowMark> marks;
    platform::scintilla::mark_rows({text, 0, text.size(), true}, fixed_breaks, marks);
    for (std::size_t at = 0; at < text.size(); ++at) {
        check(styles[at] >= 0 && styles[at] < platform::scintilla::row_style_count,
              "a row style on every byte");
        switch (marks[at]) {
            case RowMark::line_start:
                check(styles[at] == platform::scintilla::first_row_style,
                      "a line starts with the first style");
                break;
            case RowMark::change:
                check(styles[at] != styles[at - 1], "the style changes where a row may break");
                break;
            case RowMark::same:
                check(styles[at] == styles[at - 1], "the style changes nowhere else");
                break;
        }
    }
}

Sci_Position position_in(FuzzedDataProvider& script, const FakeScintilla& box) {
    return script.ConsumeIntegralInRange<Sci_Position>(
        0, static_cast<Sci_Position>(box.text().size()));
}

}  // namespace

void check_row_styling(std::string_view bytes) {
    FuzzedDataProvider script(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const auto piece_bytes = script.ConsumeIntegralInRange<Sci_Position>(32, 1024);
    const std::string text =
        script.ConsumeBytesAsString(script.ConsumeIntegralInRange<std::size_t>(0, bytes.size()));
    const auto length = static_cast<Sci_Position>(text.size());

    platform::scintilla::RowStyler whole_styler(fixed_breaks);
    FakeScintilla whole(whole_styler);
    whole.insert(0, text);
    whole.ensure_styled(length);
    check_styles_follow_marks(whole.text(), whole.styles());

    platform::scintilla::RowStyler styler(fixed_breaks, piece_bytes);
    FakeScintilla box(styler);
    box.insert(0, text);
    for (int request = 0; request < 8 && script.ConsumeBool(); ++request) {
        const Sci_Position end = position_in(script, box);
        if (script.ConsumeBool())
            box.style_out_of_order(position_in(script, box), end);
        else
            box.ensure_styled(end);
    }
    box.ensure_styled(length);
    check(box.styles() == whole.styles(), "styled in pieces as when styled whole");

    // Edits, each followed by some styling, as typing and painting go.
    for (int step = 0; step < 32 && script.remaining_bytes() > 0; ++step) {
        const Sci_Position at = position_in(script, box);
        switch (script.ConsumeIntegralInRange(0, 3)) {
            case 0:
                box.insert(at, script.ConsumeRandomLengthString(24));
                break;
            case 1: {
                const Sci_Position most = static_cast<Sci_Position>(box.text().size()) - at;
                const auto removed = script.ConsumeIntegralInRange<Sci_Position>(0, most);
                if (removed > 0)
                    box.remove(at, removed);
                break;
            }
            case 2:
                box.ensure_styled(at);
                break;
            default:
                box.style_out_of_order(at, position_in(script, box));
                break;
        }
    }
    box.ensure_styled(static_cast<Sci_Position>(box.text().size()));
    check_styles_follow_marks(box.text(), box.styles());
}

namespace {

bool is_line_end(char byte) {
    return byte == '\r' || byte == '\n';
}

// The longest line of `text` in bytes, CR LF, LF and a lone CR each ending one.
std::uint64_t longest_line(std::string_view text) {
    std::uint64_t longest = 0;
    std::uint64_t line = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!is_line_end(text[at])) {
            ++line;
            continue;
        }
        longest = std::max(longest, line);
        line = 0;
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
    }
    return std::max(longest, line);
}

}  // namespace

void check_line_limits(std::string_view bytes) {
    using platform::scintilla::Verdict;
    FuzzedDataProvider script(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const platform::scintilla::ChangeLimits limits{
        script.ConsumeBool() ? script.ConsumeIntegral<std::uint64_t>()
                             : script.ConsumeIntegralInRange<std::uint64_t>(0, 4096),
        script.ConsumeIntegralInRange<std::uint64_t>(0, 256)};
    const platform::scintilla::InsertionSite site{
        script.ConsumeBool() ? script.ConsumeIntegral<std::uint64_t>()
                             : script.ConsumeIntegralInRange<std::uint64_t>(0, 4096),
        script.ConsumeIntegralInRange<std::uint64_t>(0, 300),
        script.ConsumeIntegralInRange<std::uint64_t>(0, 300)};
    const bool joins_lines = script.ConsumeBool();
    const std::string inserted = script.ConsumeRemainingBytesAsString();

    // The line the insertion lands in, with filler either side of the inserted bytes.
    const std::string line =
        std::string(site.line_before, 'x') + inserted + std::string(site.line_after, 'x');
    const unsigned __int128 box_after =
        static_cast<unsigned __int128>(site.box_bytes) + inserted.size();
    const Verdict expected = box_after > limits.box_bytes             ? Verdict::box_too_large
                             : longest_line(line) > limits.line_bytes ? Verdict::line_too_long
                                                                      : Verdict::allowed;
    check(platform::scintilla::vet_insertion(limits, site, inserted) == expected,
          "an insertion vetted as its lines and the box's size say");

    // A deletion of the bytes between two lines' parts, with or without a line end among them.
    const std::string joined = std::string(site.line_before, 'x') + (joins_lines ? "" : "\r\n") +
                               std::string(site.line_after, 'x');
    const Verdict deletion =
        platform::scintilla::vet_deletion(limits, {joins_lines, site.line_before, site.line_after});
    check(deletion == (longest_line(joined) > limits.line_bytes && joins_lines
                           ? Verdict::line_too_long
                           : Verdict::allowed),
          "a deletion vetted as the line it leaves says");

    check(platform::scintilla::longest_line_bytes(inserted) == longest_line(inserted),
          "the longest line of a text as the lines counted plainly");
}

}  // namespace fuzz
