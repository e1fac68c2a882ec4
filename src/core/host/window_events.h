// Events a platform layer raises on the core's window.
#pragma once

#include <string>
#include <vector>

namespace host {

// MouseDown arguments: Button 1 left, 2 right, 4 middle; Shift bits 1 Shift, 2 Ctrl, 4 Alt.
constexpr int button_left = 1;
constexpr int button_right = 2;
constexpr int button_middle = 4;
constexpr int shift_mask = 1;
constexpr int ctrl_mask = 2;
constexpr int alt_mask = 4;

struct MouseDown {
    int button = 0;
    int shift = 0;
    float x = 0;  // twips relative to the text box
    float y = 0;
};

// A file named from outside the menu: an argument on the command line, or an item dropped on the
// window. An item that is no file of this computer (a web address) keeps its address in `path`
// and has `local` false.
struct GivenFile {
    std::u16string path;
    bool local = true;
};

class WindowEvents {
  public:
    virtual ~WindowEvents() = default;
    // Raised once, before the window is first shown.
    virtual void on_load() = 0;
    // Raised after every change of size.
    virtual void on_resize() = 0;
    // True when the press opened the program's own menu, so the platform must not add its own.
    virtual bool on_text_mouse_down(const MouseDown& press) = 0;
    // Files named on the command line, raised once Load has run, or dropped on the window.
    virtual void on_files_given(const std::vector<GivenFile>& files) = 0;
};

}  // namespace host
