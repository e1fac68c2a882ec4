// The layout estimate: one pass over the text, line by line.
#include "host/win32/layout_budget.h"

#include <algorithm>
#include <cmath>

namespace win32_host {
namespace {

// The slower runs of bench/fill_bench.sh (EDIT under Wine 8 on 2 shared cores): per unit
// measured, per row shaped and per line. Half the minute a text may take to show, for a busier
// machine.
constexpr double seconds_per_measured_unit = 1.35e-6;
constexpr double seconds_per_row = 50e-6;
constexpr double seconds_per_line = 0.5e-6;
constexpr double max_seconds = 30;

constexpr std::uint64_t bytes_per_unit = 2;
constexpr std::uint64_t bytes_per_row = 64;
constexpr std::uint64_t mib = 1024 * 1024;

constexpr double tab_stop = 8;  // the control's default tab stops, in narrow characters

enum class Kind { narrow, wide, none };

// Most scripts below U+1100 are narrow, so are the half-width forms; a surrogate pair is one
// wide character.
Kind kind_of(char16_t unit) {
    if (unit < 0x1100 || (unit >= 0xFF61 && unit <= 0xFFDC))
        return Kind::narrow;
    if (unit >= 0xDC00 && unit <= 0xDFFF)
        return Kind::none;
    return Kind::wide;
}

class Tally {
  public:
    explicit Tally(RowGeometry geometry)
        : row_width_(std::max(1.0, static_cast<double>(geometry.row_width))),
          narrow_(std::max(0.0, geometry.narrow_width)),
          wide_(std::max(0.0, geometry.wide_width)) {}

    void add(std::u16string_view piece) {
        for (const char16_t unit : piece) {
            ++work_.units;
            if (unit == u'\n') {
                if (!after_cr_)
                    end_line();
                after_cr_ = false;
                continue;
            }
            after_cr_ = unit == u'\r';
            if (after_cr_) {
                end_line();
                continue;
            }
            ++line_units_;
            line_width_ += unit == u'\t'                   ? tab_stop * narrow_
                           : kind_of(unit) == Kind::narrow ? narrow_
                           : kind_of(unit) == Kind::wide   ? wide_
                                                           : 0;
            open_line_ = true;
        }
    }

    LayoutWork finish() {
        if (open_line_)
            end_line();
        return work_;
    }

  private:
    void end_line() {
        const auto rows = std::max<std::uint64_t>(
            1, static_cast<std::uint64_t>(std::ceil(line_width_ / row_width_)));
        ++work_.lines;
        work_.rows += rows;
        if (line_units_ > 0)
            work_.shaped_rows += rows;
        work_.measured += line_units_ * (rows + 1) / 2;
        line_units_ = 0;
        line_width_ = 0;
        open_line_ = false;
    }

    double row_width_;
    double narrow_;
    double wide_;
    LayoutWork work_;
    std::uint64_t line_units_ = 0;
    double line_width_ = 0;
    bool open_line_ = false;  // a line with characters and no break yet
    bool after_cr_ = false;
};

}  // namespace

LayoutWork layout_work(std::span<const std::u16string_view> pieces, RowGeometry geometry) {
    Tally tally(geometry);
    for (const std::u16string_view piece : pieces)
        tally.add(piece);
    return tally.finish();
}

double estimated_seconds(const LayoutWork& work) {
    return static_cast<double>(work.measured) * seconds_per_measured_unit +
           static_cast<double>(work.shaped_rows) * seconds_per_row +
           static_cast<double>(work.lines) * seconds_per_line;
}

std::uint64_t estimated_bytes(const LayoutWork& work) {
    return work.units * bytes_per_unit + work.rows * bytes_per_row;
}

bool within_budget(const LayoutWork& work) {
    return estimated_seconds(work) <= max_seconds &&
           estimated_bytes(work) <= 4 * work.units + 200 * mib;
}

}  // namespace win32_host
