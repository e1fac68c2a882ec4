// host::Dialogs on Qt: QFileDialog, QFontDialog and QMessageBox, modal over Form1.
#pragma once

#include "core/host/dialogs.h"

class QWidget;

namespace platform::qt {

class QtDialogs final : public host::Dialogs {
  public:
    explicit QtDialogs(QWidget& parent) : parent_(parent) {}

    std::optional<std::u16string> show_open(const host::OpenFileRequest& request) override;
    std::optional<host::FontChoice> show_font(const host::FontChoice& initial, int flags) override;
    void show_error(const std::u16string& message) override;

  private:
    QWidget& parent_;
};

}  // namespace platform::qt
