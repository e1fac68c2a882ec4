// The Linux program assembled: Form1's widgets, the Qt host services and the core behind them.
#pragma once

#include <memory>

#include "host/qt/form_widget.h"
#include "host/qt/qt_dialogs.h"
#include "host/qt/qt_files.h"
#include "host/qt/qt_text_box.h"
#include "host/qt/qt_window.h"
#include "window/main_window.h"

namespace qt_host {

class QtProgram {
  public:
    QtProgram();

    // Raises Load, which shows the window.
    void start();

    FormWidget& form() { return *form_; }
    window::Form1& core() { return core_; }

  private:
    std::unique_ptr<FormWidget> form_;
    QtWindow window_;
    QtTextBox text_box_;
    QtDialogs dialogs_;
    QtFileSystem files_;
    window::Form1 core_;
};

}  // namespace qt_host
