// CommonDialog1's property semantics over the platform's modal dialogs.
#include "core/window/common_dialog.h"

#include "core/host/host_error.h"

namespace window {

void CommonDialog::show_open() {
    const auto chosen = dialogs_.show_open({filter, flags, file_name, init_dir});
    if (!chosen) {
        cancelled();
        return;
    }
    file_name = *chosen;
}

void CommonDialog::show_font() {
    const auto chosen = dialogs_.show_font({font_name, font_bold, font_italic, font_size}, flags);
    if (!chosen) {
        cancelled();
        return;
    }
    font_name = chosen->name;
    font_bold = chosen->bold;
    font_italic = chosen->italic;
    font_size = chosen->size;
}

void CommonDialog::cancelled() const {
    if (cancel_error)
        throw host::DialogCancelled();
}

}  // namespace window
