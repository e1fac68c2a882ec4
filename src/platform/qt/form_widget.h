// Form1 on Qt: a plain top-level widget whose only child is the text box Text1, forwarding its
// resize, the text box's mouse presses and files dropped on either to the core.
#pragma once

#include <QObject>
#include <QWidget>

#include "core/host/window_events.h"
#include "platform/common/context_menu_gate.h"
#include "platform/common/failure_report.h"
#include "platform/qt/file_drop.h"
#include "platform/qt/text1_box.h"

namespace platform::qt {

class FormWidget final : public QWidget {
  public:
    FormWidget();

    // The core handling this window's events; set once, before Load.
    void set_events(host::WindowEvents& events) { events_ = &events; }

    Text1Box& text1() { return *text1_; }
    const Text1Box& text1() const { return *text1_; }

    float dots_per_inch_x() const;
    float dots_per_inch_y() const;
    float twips_per_pixel_x() const;
    float twips_per_pixel_y() const;

    // Every call from Qt into the core goes through here.
    common::FailureReporter& failures() { return failures_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // A new caption is the window's new accessible name, which a screen reader is told of.
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool text_mouse_press(const QMouseEvent& event);
    // Hands a drop's files to the core once control is back in the event loop.
    void files_dropped(std::vector<host::GivenFile> files);

    common::FailureReporter failures_;  // before Text1, which reports through it
    Text1Box* text1_;                   // owned by this widget, as Qt children are
    host::WindowEvents* events_ = nullptr;
    common::ContextMenuGate context_menu_gate_;
    FileDrop file_drop_;
};

}  // namespace platform::qt
