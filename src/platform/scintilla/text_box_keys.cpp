// The key map of a Windows text box, which Qt's text boxes share, as Scintilla commands.
#include "platform/scintilla/text_box_keys.h"

namespace platform::scintilla {
namespace {

constexpr int none = SCMOD_NORM;
constexpr int shift = SCMOD_SHIFT;
constexpr int ctrl = SCMOD_CTRL;
constexpr int ctrl_shift = SCMOD_CTRL | SCMOD_SHIFT;

// Home and End keep to the row the caret is on, as a wrapped EDIT's do; Ctrl+Up and Ctrl+Down
// move as Up and Down do there.
constexpr KeyBinding keys[] = {
    {SCK_LEFT, none, SCI_CHARLEFT},
    {SCK_LEFT, shift, SCI_CHARLEFTEXTEND},
    {SCK_LEFT, ctrl, SCI_WORDLEFT},
    {SCK_LEFT, ctrl_shift, SCI_WORDLEFTEXTEND},
    {SCK_RIGHT, none, SCI_CHARRIGHT},
    {SCK_RIGHT, shift, SCI_CHARRIGHTEXTEND},
    {SCK_RIGHT, ctrl, SCI_WORDRIGHT},
    {SCK_RIGHT, ctrl_shift, SCI_WORDRIGHTEXTEND},
    {SCK_UP, none, SCI_LINEUP},
    {SCK_UP, shift, SCI_LINEUPEXTEND},
    {SCK_UP, ctrl, SCI_LINEUP},
    {SCK_UP, ctrl_shift, SCI_LINEUPEXTEND},
    {SCK_DOWN, none, SCI_LINEDOWN},
    {SCK_DOWN, shift, SCI_LINEDOWNEXTEND},
    {SCK_DOWN, ctrl, SCI_LINEDOWN},
    {SCK_DOWN, ctrl_shift, SCI_LINEDOWNEXTEND},
    {SCK_HOME, none, SCI_HOMEDISPLAY},
    {SCK_HOME, shift, SCI_HOMEDISPLAYEXTEND},
    {SCK_HOME, ctrl, SCI_DOCUMENTSTART},
    {SCK_HOME, ctrl_shift, SCI_DOCUMENTSTARTEXTEND},
    {SCK_END, none, SCI_LINEENDDISPLAY},
    {SCK_END, shift, SCI_LINEENDDISPLAYEXTEND},
    {SCK_END, ctrl, SCI_DOCUMENTEND},
    {SCK_END, ctrl_shift, SCI_DOCUMENTENDEXTEND},
    {SCK_PRIOR, none, SCI_PAGEUP},
    {SCK_PRIOR, shift, SCI_PAGEUPEXTEND},
    {SCK_NEXT, none, SCI_PAGEDOWN},
    {SCK_NEXT, shift, SCI_PAGEDOWNEXTEND},
    {SCK_RETURN, none, SCI_NEWLINE},
    {SCK_RETURN, shift, SCI_NEWLINE},
    {SCK_BACK, none, SCI_DELETEBACK},
    {SCK_BACK, shift, SCI_DELETEBACK},
    {SCK_BACK, ctrl, SCI_DELWORDLEFT},
    {SCK_DELETE, none, SCI_CLEAR},
    {SCK_DELETE, shift, SCI_CUT},
    {SCK_INSERT, ctrl, SCI_COPY},
    {'A', ctrl, SCI_SELECTALL},
    {'C', ctrl, SCI_COPY},
    {'X', ctrl, SCI_CUT},
    {'Z', ctrl, SCI_UNDO},
    {'Y', ctrl, SCI_REDO},
};

}  // namespace

std::span<const KeyBinding> text_box_keys() {
    return keys;
}

void assign_text_box_keys(const ScintillaCall& call) {
    call(SCI_CLEARALLCMDKEYS);
    for (const KeyBinding& binding : keys) {
        const auto definition =
            static_cast<uptr_t>(binding.key) | (static_cast<uptr_t>(binding.modifiers) << 16);
        call(SCI_ASSIGNCMDKEY, definition, static_cast<sptr_t>(binding.command));
    }
}

}  // namespace platform::scintilla
