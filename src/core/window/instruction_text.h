// The two-line instruction the text box shows until a file is opened.
#pragma once

#include <string_view>

namespace window {

// One CR LF between the lines and none after; the half-width punctuation is the program's own.
inline constexpr std::u16string_view instruction_text =
    u"ファイルを読み込んでください。\r\nShift 右クリックで､ホップメニューの表示｡";

}  // namespace window
