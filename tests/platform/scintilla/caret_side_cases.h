// Where the caret goes at the rows of a wrapped line, and on which row it is drawn: one table for
// the text box of both programs, each test driving it with its own keys and clicks.
#pragma once

#include <string_view>
#include <vector>

namespace caret_side {

// Four rows in a box as wide as `row_width_sample`: every word is the same, so every row breaks
// after its space whatever the font (starts 0, 11, 22, 33); the last row has no space.
inline constexpr std::string_view text = "0123456789 0123456789 0123456789 0123456789";
inline constexpr std::string_view row_width_sample = "0123456789 01234";
inline constexpr int rows = 4;

// go_to: the caret to `at` by message; the clicks: past the end of row `at`, or on the left half
// of its first character; rewrap: wide enough for one row, then as narrow as before.
enum class Act {
    go_to,
    home,
    end,
    shift_end,
    up,
    down,
    shift_down,
    left,
    right,
    ctrl_right,
    type_space,
    type_x,
    click_past_end,
    click_at_start,
    rewrap
};

struct Step {
    Act act;
    int at = 0;
};

inline constexpr int no_selection = -1;

struct Case {
    const char* name;
    int caret;
    int drawn_row;
    std::vector<Step> steps;
    int anchor = no_selection;
    std::string_view text_after = text;
};

using enum Act;

inline const std::vector<Case> cases = {
    {"End goes after the row's last character", 11, 0, {{go_to, 3}, {end}}},
    {"End again stays; Home", 0, 0, {{go_to, 3}, {end}, {end}, {home}}},
    {"Home on the next row", 11, 1, {{go_to, 14}, {home}}},
    {"Right onto the next row's start", 11, 1, {{go_to, 10}, {right}}},
    {"Left from a row's end", 10, 0, {{go_to, 3}, {end}, {left}}},
    {"Right from a row's end", 12, 1, {{go_to, 3}, {end}, {right}}},
    {"Shift+End selects the whole row", 22, 1, {{go_to, 11}, {shift_end}}, 11},
    {"Down, Down, Up at rows' ends", 22, 1, {{go_to, 3}, {end}, {down}, {down}, {up}}},
    {"Shift+Down from a row's end", 22, 1, {{go_to, 3}, {end}, {shift_down}}, 11},
    {"Down onto a shorter last row", 43, 3, {{go_to, 25}, {end}, {down}}},
    {"A space typed there joins the row",
     12,
     0,
     {{go_to, 3}, {end}, {type_space}},
     no_selection,
     "0123456789  0123456789 0123456789 0123456789"},
    {"A letter typed there goes down",
     12,
     1,
     {{go_to, 3}, {end}, {type_x}},
     no_selection,
     "0123456789 x0123456789 0123456789 0123456789"},
    {"A click past a row's end", 11, 0, {{click_past_end, 0}}},
    {"A click at the next row's start", 11, 1, {{click_at_start, 1}}},
    {"Ctrl+Right as before", 22, 2, {{go_to, 3}, {end}, {ctrl_right}}},
    {"A re-wrap drops the side", 11, 1, {{go_to, 3}, {end}, {rewrap}}},
};

}  // namespace caret_side
