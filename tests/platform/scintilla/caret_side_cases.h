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

enum class Act {
    go_to,  // the caret to `at`, as a message sets it
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
    click_past_end,  // a click past the end of row `at`
    click_at_start,  // a click on the first character of row `at`, before its middle
    rewrap,          // wide enough for one row, then as narrow as before
};

struct Step {
    Act act;
    int at = 0;
};

inline constexpr int no_selection = -1;

struct Case {
    const char* name;
    std::vector<Step> steps;
    int caret;
    int drawn_row;
    int anchor = no_selection;
    std::string_view text_after = text;
};

inline const std::vector<Case> cases = {
    {"End goes after the row's last character", {{Act::go_to, 3}, {Act::end}}, 11, 0},
    {"End at a row's end stays", {{Act::go_to, 3}, {Act::end}, {Act::end}}, 11, 0},
    {"Home from a row's end", {{Act::go_to, 3}, {Act::end}, {Act::home}}, 0, 0},
    {"Home on the next row", {{Act::go_to, 14}, {Act::home}}, 11, 1},
    {"Right onto the next row's start", {{Act::go_to, 10}, {Act::right}}, 11, 1},
    {"Left onto the next row's start", {{Act::go_to, 12}, {Act::left}}, 11, 1},
    {"Left from a row's end", {{Act::go_to, 3}, {Act::end}, {Act::left}}, 10, 0},
    {"Right from a row's end", {{Act::go_to, 3}, {Act::end}, {Act::right}}, 12, 1},
    {"Shift+End selects the whole row", {{Act::go_to, 11}, {Act::shift_end}}, 22, 1, 11},
    {"Down from a row's end to the next row's end",
     {{Act::go_to, 3}, {Act::end}, {Act::down}},
     22,
     1},
    {"Up from a row's end", {{Act::go_to, 25}, {Act::end}, {Act::up}}, 22, 1},
    {"Shift+Down from a row's end", {{Act::go_to, 3}, {Act::end}, {Act::shift_down}}, 22, 1, 11},
    {"Down onto a shorter last row", {{Act::go_to, 25}, {Act::end}, {Act::down}}, 43, 3},
    {"A space typed at a row's end joins the row",
     {{Act::go_to, 3}, {Act::end}, {Act::type_space}},
     12,
     0,
     no_selection,
     "0123456789  0123456789 0123456789 0123456789"},
    {"A letter typed at a row's end goes with the next word",
     {{Act::go_to, 3}, {Act::end}, {Act::type_x}},
     12,
     1,
     no_selection,
     "0123456789 x0123456789 0123456789 0123456789"},
    {"A click past a row's end", {{Act::click_past_end, 0}}, 11, 0},
    {"A click at the next row's start", {{Act::click_at_start, 1}}, 11, 1},
    {"Ctrl+Right from a row's end as before",
     {{Act::go_to, 3}, {Act::end}, {Act::ctrl_right}},
     22,
     2},
    {"A re-wrap without the break drops the side",
     {{Act::go_to, 3}, {Act::end}, {Act::rewrap}},
     11,
     1},
};

}  // namespace caret_side
