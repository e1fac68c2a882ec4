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

// What screen readers call Text1: it has no label of its own on screen.
inline constexpr std::u16string_view text1_accessible_name = u"本文";

}  // namespace window
