// CommonDialog1: one dialog object shared by the open and font commands, whose properties keep
// their values between uses, in front of the platform's real dialogs.
#pragma once

#include <string>

#include "core/host/dialogs.h"

namespace window {

class CommonDialog {
  public:
    explicit CommonDialog(host::Dialogs& dialogs) : dialogs_(dialogs) {}

    // With cancel_error set, cancelling throws host::DialogCancelled; otherwise the show call
    // returns normally and every property keeps the value it had.
    bool cancel_error = false;
    int flags = 0;
    std::u16string filter;
    std::u16string file_name;
    std::u16string init_dir;
    std::u16string font_name;
    bool font_bold = false;
    bool font_italic = false;
    float font_size = 0;

    // On success file_name is the chosen file's full path.
    void show_open();
    // On success the four font properties describe the chosen font.
    void show_font();

  private:
    void cancelled() const;

    host::Dialogs& dialogs_;
};

}  // namespace window
