// Tells assistive technology of the Scintilla text box's changes and caret moves.
#include "platform/qt/text_box_accessible_events.h"

#include <QAccessible>
#include <algorithm>
#include <utility>

namespace platform::qt {
namespace {

// A change's text goes with its event up to this many bytes. Opening a file replaces the whole
// text: the event tells where and the start of what changed, and a reader asks for the rest as
// it needs it, where the whole text in each event would double the memory the file takes.
constexpr sptr_t told_bytes = 1 << 20;

QString told_text(const QByteArray& text, sptr_t length) {
    const sptr_t told = std::min(length, told_bytes);
    // Without undo history Scintilla keeps no copy of removed text: its length alone is told.
    if (text.isEmpty())
        return QString(static_cast<qsizetype>(told), QLatin1Char(' '));
    return QString::fromUtf8(text.constData(),
                             static_cast<qsizetype>(std::min<sptr_t>(told, text.size())));
}

}  // namespace

AccessibleAnnouncer qt_accessibility_announcer() {
    return {[] { return QAccessible::isActive(); },
            [](QAccessibleEvent& event) { QAccessible::updateAccessibility(&event); }};
}

TextBoxAccessibleEvents::TextBoxAccessibleEvents(ScintillaEditBase& box,
                                                 AccessibleAnnouncer announcer)
    : box_(box), announcer_(std::move(announcer)), offsets_(box) {
    modified_ = QObject::connect(
        &box, &ScintillaEditBase::modified,
        [this](Scintilla::ModificationFlags type, Scintilla::Position position,
               Scintilla::Position length, Scintilla::Position, const QByteArray& text,
               Scintilla::Position, Scintilla::FoldLevel, Scintilla::FoldLevel) {
            on_modified(static_cast<int>(type), position, length, text);
        });
    update_ui_ = QObject::connect(
        &box, &ScintillaEditBase::updateUi,
        [this](Scintilla::Update updated) { on_update_ui(static_cast<int>(updated)); });
}

TextBoxAccessibleEvents::~TextBoxAccessibleEvents() {
    QObject::disconnect(modified_);
    QObject::disconnect(update_ui_);
}

void TextBoxAccessibleEvents::on_modified(int type, sptr_t position, sptr_t length,
                                          const QByteArray& text) {
    if (!announcer_.listening() || (type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) == 0)
        return;
    // Offsets before the change's position are the same before and after it.
    const int offset = offsets_.offset_of(position);
    if ((type & SC_MOD_INSERTTEXT) != 0) {
        QAccessibleTextInsertEvent event(&box_, offset, told_text(text, length));
        announcer_.announce(event);
    } else {
        QAccessibleTextRemoveEvent event(&box_, offset, told_text(text, length));
        announcer_.announce(event);
    }
    caret_ = -1;  // the caret's offset may have moved with the text
    anchor_ = -1;
}

void TextBoxAccessibleEvents::on_update_ui(int updated) {
    if (!announcer_.listening() || (updated & (SC_UPDATE_SELECTION | SC_UPDATE_CONTENT)) == 0)
        return;
    const sptr_t caret_position = box_.send(SCI_GETCURRENTPOS);
    const sptr_t anchor_position = box_.send(SCI_GETANCHOR);
    const int caret = offsets_.offset_of(caret_position);
    const int anchor =
        anchor_position == caret_position ? caret : offsets_.offset_of(anchor_position);
    if (caret == caret_ && anchor == anchor_)
        return;
    if (anchor != caret || anchor_ != caret_) {
        QAccessibleTextSelectionEvent event(&box_, std::min(caret, anchor),
                                            std::max(caret, anchor));
        event.setCursorPosition(caret);
        announcer_.announce(event);
    } else {
        QAccessibleTextCursorEvent event(&box_, caret);
        announcer_.announce(event);
    }
    caret_ = caret;
    anchor_ = anchor;
}

}  // namespace platform::qt
