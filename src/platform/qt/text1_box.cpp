// Text1's Scintilla widget on Qt and the translation of its events.
#include "platform/qt/text1_box.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyle>
#include <utility>

#include "platform/qt/line_breaks.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_edit_menu.h"
#include "platform/scintilla/edit_menu.h"
#include "platform/scintilla/plain_text_setup.h"

namespace platform::qt {
namespace {

scintilla::ScintillaCall direct_call(const ScintillaEditBase& box) {
    return {reinterpret_cast<SciFnDirectStatus>(box.send(SCI_GETDIRECTSTATUSFUNCTION)),
            box.send(SCI_GETDIRECTPOINTER)};
}

// Scintilla's colours are 0xBBGGRR.
int bgr(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

scintilla::BoxColours system_colours(const QPalette& palette) {
    const auto active = [&](QPalette::ColorRole role) {
        return bgr(palette.color(QPalette::Active, role));
    };
    const auto inactive = [&](QPalette::ColorRole role) {
        return bgr(palette.color(QPalette::Inactive, role));
    };
    return {
        .text = active(QPalette::Text),
        .background = active(QPalette::Base),
        .selected_text = active(QPalette::HighlightedText),
        .selected_background = active(QPalette::Highlight),
        .inactive_selected_text = inactive(QPalette::HighlightedText),
        .inactive_selected_background = inactive(QPalette::Highlight),
        .caret = active(QPalette::Text),
    };
}

bool is_paste_key(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    return (event.key() == Qt::Key_V && held.testFlag(Qt::ControlModifier) &&
            !held.testFlag(Qt::AltModifier)) ||
           (event.key() == Qt::Key_Insert && held.testFlag(Qt::ShiftModifier) &&
            !held.testFlag(Qt::ControlModifier));
}

bool clipboard_has_text() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

// Scintilla's undo group around an input method's commit, closed however the commit ends.
class UndoGroup {
  public:
    explicit UndoGroup(const scintilla::ScintillaCall& call) : call_(call) {
        call_(SCI_BEGINUNDOACTION);
    }
    ~UndoGroup() {
        try {
            call_(SCI_ENDUNDOACTION);
        } catch (...) {  // Scintilla is failing already: the failure that ends the commit is said
        }
    }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

  private:
    const scintilla::ScintillaCall& call_;
};

}  // namespace

Text1Box::Text1Box(QWidget& parent, common::FailureReporter& failures)
    : ScintillaEditBase(&parent),
      failures_(failures),
      call_(direct_call(*this)),
      rows_(break_opportunities) {
    connect(this, &ScintillaEditBase::notify, this,
            [this](Scintilla::NotificationData* notification) {
                on_notify(*reinterpret_cast<const SCNotification*>(notification));
            });
    // Copied text gets this system's line ends, as every other program here writes them.
    connect(this, &ScintillaEditBase::aboutToCopy, this, [](QMimeData* copied) {
        QString text = copied->text();
        copied->setText(QString());  // the one copy left is changed in place
        copy_with_lf_breaks(text);
        copied->setText(text);
    });
    // Framed as the system's other text boxes are; Scintilla's widget comes without.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    scintilla::set_up_plain_text_box(call_);
    // Alt + drag selects as a plain drag does: a text box makes no rectangles.
    call_(SCI_SETRECTANGULARSELECTIONMODIFIER, 0);
    call_(SCI_SETCARETPERIOD,
          static_cast<uptr_t>(std::max(0, QApplication::cursorFlashTime() / 2)));
    apply_system_look();
}

Text1Box::~Text1Box() = default;

template <class Handling>
bool Text1Box::handled(Handling&& handling) {
    ++depth_;
    bool result = false;
    try {
        result = std::forward<Handling>(handling)();
    } catch (...) {
        fail_later(std::current_exception());
    }
    if (--depth_ == 0)
        settle();
    return result;
}

bool Text1Box::event(QEvent* event) {
    return handled([&] { return ScintillaEditBase::event(event); });
}

// Presses, paints, drops and the wheel come through the viewport.
bool Text1Box::viewportEvent(QEvent* event) {
    return handled([&] { return ScintillaEditBase::viewportEvent(event); });
}

void Text1Box::on_notify(const SCNotification& notification) {
    rows_.on_notification(call_, notification);
    gate_.on_modified(notification);
    // A change made outside the box's events (a screen reader's edit, say) is settled once
    // control is back in the event loop.
    const int checks = SC_MOD_INSERTCHECK | SC_MOD_DELETECHECK;
    if (depth_ == 0 && notification.nmhdr.code == SCN_MODIFIED &&
        (notification.modificationType & checks) != 0)
        settle_later();
}

void Text1Box::changeEvent(QEvent* event) {
    ScintillaEditBase::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        apply_system_look();
}

void Text1Box::apply_system_look() {
    scintilla::apply_colours(call_, system_colours(palette()));
    const int caret_width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    call_(SCI_SETCARETWIDTH, static_cast<uptr_t>(std::max(1, caret_width)));
}

void Text1Box::keyPressEvent(QKeyEvent* event) {
    // Ctrl+V and Shift+Insert are not in the box's key map: the program pastes them.
    if (is_paste_key(*event)) {
        paste();
        return;
    }
    // Scintilla's key map has no command for Tab, whose text it leaves alone; a text box types
    // it.
    if (event->key() == Qt::Key_Tab && (event->modifiers() & ~Qt::KeypadModifier) == 0) {
        call_.with_text(SCI_REPLACESEL, 0, "\t");
        return;
    }
    ScintillaEditBase::keyPressEvent(event);
}

void Text1Box::mousePressEvent(QMouseEvent* event) {
    // The middle button pastes the X selection where it is pressed, as the program pastes.
    if (event->button() == Qt::MiddleButton) {
        QClipboard& clipboard = *QGuiApplication::clipboard();
        if (clipboard.supportsSelection()) {
            // Taken before the caret moves, which may end the box's own selection.
            const QString text = clipboard.text(QClipboard::Selection);
            const QPoint at = event->position().toPoint();
            call_(SCI_SETEMPTYSELECTION,
                  static_cast<uptr_t>(
                      call_(SCI_POSITIONFROMPOINT, static_cast<uptr_t>(at.x()), at.y())));
            paste_text(text);
        }
        return;
    }
    ScintillaEditBase::mousePressEvent(event);
}

// Scintilla zooms on Ctrl + wheel; a text box scrolls.
void Text1Box::wheelEvent(QWheelEvent* event) {
    QAbstractScrollArea::wheelEvent(event);
}

void Text1Box::contextMenuEvent(QContextMenuEvent* event) {
    const sptr_t start = call_(SCI_GETSELECTIONSTART);
    const sptr_t end = call_(SCI_GETSELECTIONEND);
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // Below the caret, or at the corner when the caret is off screen.
        const sptr_t caret = call_(SCI_GETCURRENTPOS);
        const sptr_t line = call_(SCI_LINEFROMPOSITION, static_cast<uptr_t>(caret));
        QPoint point(static_cast<int>(call_(SCI_POINTXFROMPOSITION, 0, caret)),
                     static_cast<int>(call_(SCI_POINTYFROMPOSITION, 0, caret) +
                                      call_(SCI_TEXTHEIGHT, static_cast<uptr_t>(line))));
        if (!viewport()->rect().contains(point))
            point = QPoint(0, 0);
        show_edit_menu(viewport()->mapToGlobal(point));
        return;
    }
    // A click outside the selection moves the caret there first, as Scintilla's own menu did.
    const QPoint at = event->pos();
    const sptr_t position = call_(SCI_POSITIONFROMPOINT, static_cast<uptr_t>(at.x()), at.y());
    if (start == end || position < start || position > end)
        call_(SCI_SETEMPTYSELECTION, static_cast<uptr_t>(position));
    show_edit_menu(event->globalPos());
}

void Text1Box::show_edit_menu(const QPoint& global_point) {
    // The commands act where the user sees the caret.
    setFocus(Qt::PopupFocusReason);
    const std::vector<scintilla::EditMenuItem> items =
        scintilla::edit_menu_items(scintilla::edit_menu_state(call_, clipboard_has_text()));
    if (const std::optional<scintilla::EditCommand> chosen =
            exec_edit_menu(items, global_point, *this))
        scintilla::run_edit_command(call_, *chosen, [this] { paste(); });
}

void Text1Box::paste(QClipboard::Mode mode) {
    // Taken once: another program's clipboard hands its text over anew for every request.
    paste_text(QGuiApplication::clipboard()->text(mode));
}

void Text1Box::paste_text(const QString& text) {
    if (text.isEmpty())
        return;
    const std::string bytes = pasted_bytes(text);
    const scintilla::InsertionGate::Pasting pasting(gate_);
    call_.with_text(SCI_REPLACESEL, 0, bytes.c_str());
}

// A commit is inserted a character at a time: in one undo group, the gate refuses all of it or
// none, and one undo takes it back. The pre-edit it replaces goes first, as a step of its own.
void Text1Box::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty()) {
        ScintillaEditBase::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent preedit_removed;
    ScintillaEditBase::inputMethodEvent(&preedit_removed);
    {
        QInputMethodEvent commit;
        commit.setCommitString(event->commitString(), event->replacementStart(),
                               event->replacementLength());
        const UndoGroup group(call_);
        ScintillaEditBase::inputMethodEvent(&commit);
    }
    // A new composition sent along with the commit.
    if (!event->preeditString().isEmpty()) {
        QInputMethodEvent composing(event->preeditString(), event->attributes());
        ScintillaEditBase::inputMethodEvent(&composing);
    }
}

// Text dragged from another program is pasted where it is dropped; files never reach here
// (file_drop.h).
void Text1Box::dropEvent(QDropEvent* event) {
    const scintilla::InsertionGate::Pasting pasting(gate_);
    ScintillaEditBase::dropEvent(event);
}

void Text1Box::settle() {
    try {
        if (std::optional<std::u16string> refusal = gate_.settle())
            say_later(std::move(*refusal));
    } catch (...) {
        fail_later(std::current_exception());
    }
}

void Text1Box::settle_later() {
    if (std::exchange(settle_queued_, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            settle_queued_ = false;
            if (depth_ == 0)  // otherwise the event being handled settles when it returns
                settle();
        },
        Qt::QueuedConnection);
}

void Text1Box::fail_later(std::exception_ptr failure) {
    if (std::exchange(failure_queued_, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this, failure] {
            failure_queued_ = false;
            failures_.report(failure);
        },
        Qt::QueuedConnection);
}

// Said once the event has returned: a modal box inside a drop would keep its source waiting,
// inside a press would keep the release from the box.
void Text1Box::say_later(std::u16string refusal) {
    if (saying_ || refusal_to_say_)
        return;  // the refusal being said covers it
    refusal_to_say_ = std::move(refusal);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!refusal_to_say_)
                return;
            saying_ = true;
            const std::u16string said = *std::exchange(refusal_to_say_, std::nullopt);
            failures_.guarded([&] { QtDialogs(*window()).show_error(said); });
            saying_ = false;
        },
        Qt::QueuedConnection);
}

}  // namespace platform::qt
