// How much work the EDIT control behind Text1 does to lay a text out, estimated before the text
// reaches it, and the budget of time and memory a text must stay within to be shown.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace win32_host {

// The box's rows in pixels: the width text wraps at and the average widths of a narrow (Latin)
// and a wide (CJK) character in its font.
struct RowGeometry {
    int row_width = 0;
    double narrow_width = 1;
    double wide_width = 2;
};

struct LayoutWork {
    std::uint64_t units = 0;  // UTF-16 units, line breaks included
    std::uint64_t lines = 0;
    std::uint64_t rows = 0;         // lines as wrapped
    std::uint64_t shaped_rows = 0;  // rows with characters, each shaped by a call of its own
    // Units the control measures: it wraps a line one row at a time and measures the rest of
    // the line again for every row, so a line of n units over r rows costs n (r + 1) / 2.
    std::uint64_t measured = 0;
};

// The work of the text made of `pieces` one after the other (a line may run across pieces);
// CR LF, LF and a lone CR each end a line.
LayoutWork layout_work(std::span<const std::u16string_view> pieces, RowGeometry geometry);

// The control's time for that work as measured under Wine on the development machine.
double estimated_seconds(const LayoutWork& work);
// The control's own memory for it: its buffer of the text and a record per row.
std::uint64_t estimated_bytes(const LayoutWork& work);

// Shown within 30 s and within 8 bytes a file byte + 200 MiB (a file byte makes at most two
// units, CR LF from a lone LF).
bool within_budget(const LayoutWork& work);

}  // namespace win32_host
