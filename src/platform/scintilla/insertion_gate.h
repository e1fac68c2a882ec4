// The one gate every change of the box's text passes, whatever made it. Scintilla asks before
// each insertion (SC_MOD_INSERTCHECK: typing, a paste by any route, a drop, an input method's
// result) and, patched, before each deletion (SC_MOD_DELETECHECK: a deletion may join two lines
// into one too long), and the gate refuses what would take the box past its limits
// (change_limits.h). Scintilla then makes nothing of the change and takes back the rest of the
// command it belongs to, such as the selection a paste replaces
// (third_party/scintilla/refused-changes-taken-back.patch). Undo and redo are not asked about:
// they only return the text to states the gate let through.
//
// One exception: an input method's composition over a selection. Scintilla deletes the selection
// as the composition starts, a command of its own, so a composition refused later leaves the
// selection deleted (undoable).
//
// Why a change was refused is kept, never said from inside Scintilla's notification: the layer
// says it once the command has returned (settle).
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "platform/scintilla/change_limits.h"
#include "platform/scintilla/scintilla_call.h"

namespace platform::scintilla {

class InsertionGate {
  public:
    // For the box `call` reaches, which must outlive the gate.
    explicit InsertionGate(const ScintillaCall& call) noexcept : call_(call) {}
    InsertionGate(const InsertionGate&) = delete;
    InsertionGate& operator=(const InsertionGate&) = delete;

    // The program's limits unless narrowed, as tests narrow them.
    void set_limits(const ChangeLimits& limits) noexcept { limits_ = limits; }

    // Answers the box's SCN_MODIFIED: the checks, and Scintilla taking a refused command back.
    // Throws nothing: a change that cannot be measured is refused, and the failure kept for
    // settle.
    void on_modified(const SCNotification& notification) noexcept;

    // Called once a command has returned (a message handled, a menu item run): puts back the
    // selection of a replacement that was refused, which Scintilla took back as text only, and
    // gives why a change was refused since the last call, if one was; throws what failed while
    // a change was being measured.
    std::optional<std::u16string> settle();

    // While one lives, changes pass unasked: a whole new text the layer has measured itself.
    class Unchecked {
      public:
        explicit Unchecked(InsertionGate& gate) noexcept : gate_(gate) { ++gate_.unchecked_; }
        ~Unchecked() { --gate_.unchecked_; }
        Unchecked(const Unchecked&) = delete;
        Unchecked& operator=(const Unchecked&) = delete;

      private:
        InsertionGate& gate_;
    };

    // While one lives, a refusal is worded as a paste's.
    class Pasting {
      public:
        explicit Pasting(InsertionGate& gate) noexcept : gate_(gate) { ++gate_.pasting_; }
        ~Pasting() { --gate_.pasting_; }
        Pasting(const Pasting&) = delete;
        Pasting& operator=(const Pasting&) = delete;

      private:
        InsertionGate& gate_;
    };

  private:
    struct Refusal {
        ChangeKind kind;
        Verdict verdict;
    };
    struct Selection {
        Sci_Position anchor = 0;
        Sci_Position caret = 0;
    };

    Verdict vet_insertion(const SCNotification& notification) const;
    Verdict vet_deletion(const SCNotification& notification) const;
    void vet(const SCNotification& notification);
    void checking();
    void refuse(ChangeKind kind, Verdict verdict);

    const ScintillaCall& call_;
    ChangeLimits limits_;
    int unchecked_ = 0;
    int pasting_ = 0;
    // Since the last settle: the first refusal, the selection at the first check, whether the
    // text was changed, and whether Scintilla took a refused command back.
    std::optional<Refusal> refusal_;
    std::exception_ptr failure_;
    std::optional<Selection> selection_at_check_;
    bool changed_ = false;
    bool taken_back_ = false;
};

}  // namespace platform::scintilla
