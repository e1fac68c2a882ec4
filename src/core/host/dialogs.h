// The modal common dialogs and message box a platform layer shows for the core.
#pragma once

#include <optional>
#include <string>

namespace host {

struct OpenFileRequest {
    std::u16string filter;  // "label|pattern|label|pattern…", each platform parses it
    int flags = 0;          // OFN_* bits
    std::u16string file_name;
    std::u16string init_dir;
};

struct FontChoice {
    std::u16string name;
    bool bold = false;
    bool italic = false;
    float size = 0;  // points

    bool operator==(const FontChoice&) const = default;
};

constexpr int ofn_hidereadonly = 0x4;
constexpr int ofn_filemustexist = 0x1000;
constexpr int cf_screenfonts = 0x1;

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // The chosen file's full path, nothing when the user cancels.
    virtual std::optional<std::u16string> show_open(const OpenFileRequest& request) = 0;
    // The chosen font, nothing when the user cancels.
    virtual std::optional<FontChoice> show_font(const FontChoice& initial, int flags) = 0;
    // A modal error box over the window.
    virtual void show_error(const std::u16string& message) = 0;
};

}  // namespace host
