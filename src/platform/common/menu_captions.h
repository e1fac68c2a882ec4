// Menu captions as both platforms' menus take them.
#pragma once

#include <string>
#include <string_view>

namespace platform::common {

// The caption with each '&' doubled: both platforms' menus take a lone '&' for an access key,
// and the program's items have none, so every caption shows exactly as written.
std::u16string caption_as_written(std::u16string_view caption);

}  // namespace platform::common
