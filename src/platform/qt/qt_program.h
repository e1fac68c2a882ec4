// The Linux program assembled: Form1's widgets, the Qt host services and the core behind them.
//
// What this layer does: creates Form1 and Text1 from the core's design values; turns Qt's
// resize, mouse press and context menu events, the command line's files and files dropped on the
// window into the core's; shows the core's popup menu
// (QMenu), dialogs (QFileDialog, QFontDialog, QMessageBox) and failures; sets the stay-on-top
// hint through the native window; reads files through the shared text reader; makes Text1 the
// shared Scintilla text box (text1_box.h), with the system's colours, the program's edit menu
// and pastes; shows Form1 to screen readers as a window and Text1 as an editable text.
// What it leaves to the core: every decision of the program: the menu and when it opens, which
// item is checkable, whether the edit menu may follow, start folders, the font and the
// always-on-top state, all wording (accessible names included), twips arithmetic, whether a
// placement moves the window, how much a paste may bring, which of the files given is shown and
// when a drop is refused; and, in platform/scintilla, the text box's set-up, keys, edit menu,
// limits and the gate every change of its text passes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/window/main_window.h"
#include "platform/qt/form_widget.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_files.h"
#include "platform/qt/qt_text_box.h"
#include "platform/qt/qt_window.h"

namespace platform::qt {

class QtProgram {
  public:
    // `can_stay_on_top`: whether the desktop lets a window stay above others.
    explicit QtProgram(bool can_stay_on_top = true);

    // Raises Load, which shows the window, and then hands the core the files named on the
    // command line, if any, before the window is first drawn.
    void start(std::vector<std::u16string> files = {});

    FormWidget& form() { return *form_; }
    window::Form1& core() { return core_; }
    QtTextBox& text_box() { return text_box_; }

  private:
    std::unique_ptr<FormWidget> form_;
    QtWindow window_;
    QtTextBox text_box_;
    QtDialogs dialogs_;
    QtFileSystem files_;
    window::Form1 core_;
};

}  // namespace platform::qt
