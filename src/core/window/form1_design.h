// Form1's composition as created, before Load: what every platform builds its window from.
#pragma once

#include <string_view>

namespace window {

inline constexpr std::u16string_view form1_initial_caption = u"Form1";

// The client area the window is created with: 394 x 287 pixels at 96 dpi.
inline constexpr float form1_client_width_twips = 5910;
inline constexpr float form1_client_height_twips = 4305;

// Text1 at the client origin, at the size it is designed with until the first layout.
inline constexpr float text1_design_width_twips = 3735;
inline constexpr float text1_design_height_twips = 2895;

// What a screen reader calls Text1 and says of it: the window's caption names the file, the box
// itself needs a name of its own, and the description tells how to reach the menu.
inline constexpr std::u16string_view text1_accessible_name = u"本文";
inline constexpr std::u16string_view text1_accessible_description =
    u"開いたファイルの内容です。Shift キーを押しながら右クリックするとメニューが開きます。";

}  // namespace window
