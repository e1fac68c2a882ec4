// The shared checks of Japanese rows on a real Scintilla.
#include "row_checks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/scintilla/row_marks.h"
#include "row_cases.h"
#include "text/utf.h"

namespace row_test {
namespace {

using platform::scintilla::BreakOpportunities;
using platform::scintilla::RowMark;
using platform::scintilla::ScintillaCall;

// Asks for styles up to `end` as painting does, from where styling stopped.
void style_to(const ScintillaCall& call, Sci_Position end) {
    call(SCI_COLOURISE, static_cast<uptr_t>(call(SCI_GETENDSTYLED)), end);
}

// A char a UTF-8 byte, counted from `zero`.
std::string styles_of(const ScintillaCall& call, char zero = 0) {
    std::string styles(static_cast<std::size_t>(call(SCI_GETLENGTH)), '\0');
    for (std::size_t at = 0; at < styles.size(); ++at)
        styles[at] = static_cast<char>(zero + call(SCI_GETSTYLEAT, at));
    return styles;
}

// The styles of `bytes` marked whole at once, as styling the text in one piece gives them.
std::string whole_styles(const std::string& bytes, const BreakOpportunities& breaks) {
    std::vector<RowMark> marks;
    platform::scintilla::mark_rows({bytes, 0, bytes.size(), true}, breaks, marks);
    std::string styles;
    char style = platform::scintilla::first_row_style;
    for (const RowMark mark : marks) {
        style = platform::scintilla::row_style_at(mark, style);
        styles.push_back(style);
    }
    return styles;
}

// What Scintilla's rows depend on: where the style changes ('|'), and the style of each line's
// start when it is not the first one ('?').
std::string changes(const std::string& bytes, const std::string& styles) {
    std::string shape(styles.size(), '.');
    for (std::size_t at = 0; at < styles.size(); ++at) {
        const bool line_start = at == 0 || bytes[at - 1] == '\n';
        if (line_start && styles[at] != platform::scintilla::first_row_style)
            shape[at] = '?';
        else if (!line_start && styles[at] != styles[at - 1])
            shape[at] = '|';
    }
    return shape;
}

// Where two long strings first differ (npos when they do not): a readable failure.
std::size_t first_difference(const std::string& a, const std::string& b) {
    if (a == b)
        return std::string::npos;
    const auto [at_a, at_b] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(at_a - a.begin());
}

// A long line of Japanese with every kind of place rows break or do not, over five pieces,
// between two short lines.
std::string long_line_text() {
    constexpr std::u16string_view sentence =
        u"吾輩は猫である。名前はまだ無い。「どこで生れたか」とんと見当がつかぬ（ちょっと）。"
        u"ラーメンを 2 杯、the quick brown fox とファイル。";
    std::u16string line;
    while (text::utf8_size(line) < 5 * 64 * 1024 + 777)
        line += sentence;
    return text::utf8_from_utf16(u"前の行\r\n" + line + u"\r\n次の行");
}

}  // namespace

void expect_break_cases(const BreakOpportunities& breaks) {
    for (const BreakCase& c : break_cases) {
        std::string shown;
        for (const std::uint8_t flag : breaks(c.text))
            shown.push_back(flag != 0 ? '1' : '0');
        EXPECT_EQ(shown, c.breaks) << c.what;
    }
}

void expect_style_cases(const ScintillaCall& call) {
    for (const StyleCase& c : style_cases) {
        call.with_text(SCI_SETTEXT, 0, text::utf8_from_utf16(c.text).c_str());
        style_to(call, call(SCI_GETLENGTH));
        EXPECT_EQ(styles_of(call, '0'), c.styles) << c.what;
    }
}

void expect_long_line_styles(const ScintillaCall& call, CountedBreaks& breaks) {
    const std::string bytes = long_line_text();
    const auto length = static_cast<Sci_Position>(bytes.size());
    const std::string whole = whole_styles(bytes, std::ref(breaks));
    call.with_text(SCI_SETTEXT, 0, bytes.c_str());
    style_to(call, length);
    EXPECT_EQ(first_difference(styles_of(call), whole), std::string::npos)
        << "styled as far as asked at once";
    // Resumed wherever painting stopped, mid-character too.
    call.with_text(SCI_SETTEXT, 0, bytes.c_str());
    for (Sci_Position end = 7919; end < length + 7919; end += 7919)
        style_to(call, std::min(end, length));
    EXPECT_EQ(first_difference(styles_of(call), whole), std::string::npos)
        << "styled a little at a time";

    struct Edit {
        const char* what;
        std::size_t characters;  // into the long line
        std::string_view inserted;
        Sci_Position removed = 0;  // bytes, or -1 for one character
    };
    const Edit edits[] = {
        {"a kanji typed mid-line", 60000, "字"}, {"a character deleted", 30000, "", -1},
        {"a line end typed", 90000, "\r\n"},     {"the line end taken back", 90000, "", 2},
        {"typed at the line's end", 0, "。"},
    };
    for (const Edit& edit : edits) {
        const Sci_Position line_start = call(SCI_POSITIONFROMLINE, 1);
        const Sci_Position at = edit.characters == 0
                                    ? call(SCI_GETLINEENDPOSITION, 1)
                                    : call(SCI_POSITIONRELATIVE, static_cast<uptr_t>(line_start),
                                           static_cast<sptr_t>(edit.characters));
        if (edit.removed != 0) {
            const Sci_Position removed =
                edit.removed > 0 ? edit.removed
                                 : call(SCI_POSITIONAFTER, static_cast<uptr_t>(at)) - at;
            call(SCI_DELETERANGE, static_cast<uptr_t>(at), removed);
        } else {
            const std::string inserted(edit.inserted);
            call.with_text(SCI_INSERTTEXT, static_cast<uptr_t>(at), inserted.c_str());
        }
        breaks.units = 0;
        style_to(call, call(SCI_GETLENGTH));
        // The line holds over 100,000 characters.
        EXPECT_LE(breaks.units, 2048u) << edit.what;
        const std::string now(reinterpret_cast<const char*>(call(SCI_GETCHARACTERPOINTER)),
                              static_cast<std::size_t>(call(SCI_GETLENGTH)));
        EXPECT_EQ(first_difference(changes(now, styles_of(call)),
                                   changes(now, whole_styles(now, std::ref(breaks)))),
                  std::string::npos)
            << edit.what;
    }
}

void expect_row_cases(const ScintillaCall& call, const std::function<void(int)>& set_text_width) {
    for (const RowCase& c : row_cases) {
        const std::string bytes = text::utf8_from_utf16(c.text);
        call.with_text(SCI_SETTEXT, 0, bytes.c_str());
        const auto em = call.with_text(SCI_TEXTWIDTH, STYLE_DEFAULT, "日");
        const std::string widest = text::utf8_from_utf16(c.widest_row);
        const auto widest_width = call.with_text(SCI_TEXTWIDTH, STYLE_DEFAULT, widest.c_str());
        // A pixel of margin either side of the text.
        set_text_width(static_cast<int>(widest_width + em / 2) + 2);
        const sptr_t height = call(SCI_TEXTHEIGHT, 0);
        std::vector<std::u16string> rows;
        sptr_t last_row = -1;
        for (std::size_t at = 0, unit = 0; at < bytes.size(); ++unit) {
            const sptr_t row = call(SCI_POINTYFROMPOSITION, 0, static_cast<sptr_t>(at)) / height;
            if (row != last_row)
                rows.emplace_back();
            rows.back() += c.text[unit];
            last_row = row;
            at += text::utf8_size(c.text.substr(unit, 1));
        }
        if (c.rows.empty())
            EXPECT_GT(rows.size(), 1u) << c.what;
        else
            EXPECT_EQ(rows, std::vector<std::u16string>(c.rows.begin(), c.rows.end())) << c.what;
    }
}

}  // namespace row_test
