// Form1 as assistive technology sees it: a window named by its caption, where a bare top-level
// QWidget would be an anonymous client area (a "filler" to a screen reader).
#pragma once

namespace platform::qt {

// Before Form1 is created: Qt keeps the accessible interface it first made for an object.
void expose_form_as_window();

}  // namespace platform::qt
