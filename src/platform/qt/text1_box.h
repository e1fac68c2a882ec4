// Text1 on Qt: Scintilla's Qt widget set up as the program's plain text box through the shared
// platform/scintilla pieces, as the Windows box is. This layer makes the widget, gives it the
// system's colours and caret width, and turns Qt's events into the box's: pastes of plain text
// held to the box's gate, the program's edit menu, whole input-method commits, no zoom. Every
// event the box handles runs inside the failure boundary, and what the gate refused is said once
// that event has returned, never from inside one of Scintilla's notifications.
#pragma once

#include <QClipboard>
#include <exception>
#include <optional>
#include <string>

#include "ScintillaEditBase.h"
#include "platform/common/failure_report.h"
#include "platform/qt/text_box_accessible_events.h"
#include "platform/scintilla/insertion_gate.h"
#include "platform/scintilla/row_styler.h"
#include "platform/scintilla/scintilla_call.h"

namespace platform::qt {

class Text1Box final : public ScintillaEditBase {
  public:
    // A child of `parent`, empty, in the parent's font; `failures` reports what fails in the
    // box's events, after each event.
    Text1Box(QWidget& parent, common::FailureReporter& failures);
    ~Text1Box() override;
    Text1Box(const Text1Box&) = delete;
    Text1Box& operator=(const Text1Box&) = delete;

    const scintilla::ScintillaCall& call() const noexcept { return call_; }
    // Every change of the text passes it.
    scintilla::InsertionGate& gate() noexcept { return gate_; }

    // The program's paste: the text of `mode`'s clipboard (or `text`), and nothing but text, in
    // place of the selection, each line break as CR LF; undoable, and refused whole by the gate
    // with a paste's wording.
    void paste(QClipboard::Mode mode = QClipboard::Clipboard);
    void paste_text(const QString& text);

  protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Runs one event's handling: failures kept for later, and the gate settled once the
    // outermost event has returned.
    template <class Handling>
    bool handled(Handling&& handling);
    void on_notify(const SCNotification& notification);
    void apply_system_look();
    void settle();
    void settle_later();
    void fail_later(std::exception_ptr failure);
    void say_later(std::u16string refusal);
    void show_edit_menu(const QPoint& global_point);

    common::FailureReporter& failures_;
    scintilla::ScintillaCall call_;
    scintilla::InsertionGate gate_{call_};
    scintilla::RowStyler rows_;
    TextBoxAccessibleEvents accessible_events_{*this};
    int depth_ = 0;  // events being handled, one inside another
    bool settle_queued_ = false;
    bool failure_queued_ = false;
    std::optional<std::u16string> refusal_to_say_;
    bool saying_ = false;
};

}  // namespace platform::qt
