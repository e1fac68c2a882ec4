// Tells assistive technology of the Scintilla text box's insertions, removals, caret moves and
// selections, from Scintilla's notifications, with offsets in UTF-16 units of the whole text.
#pragma once

#include <QMetaObject>
#include <functional>

#include "platform/qt/utf16_offsets.h"

class QAccessibleEvent;

namespace platform::qt {

// Where the events go: Qt's accessibility, while assistive technology listens.
struct AccessibleAnnouncer {
    std::function<bool()> listening;
    std::function<void(QAccessibleEvent&)> announce;
};
AccessibleAnnouncer qt_accessibility_announcer();

class TextBoxAccessibleEvents {
  public:
    // The box's modification mask must hold SC_MOD_INSERTTEXT and SC_MOD_DELETETEXT.
    explicit TextBoxAccessibleEvents(ScintillaEditBase& box,
                                     AccessibleAnnouncer announcer = qt_accessibility_announcer());
    ~TextBoxAccessibleEvents();
    TextBoxAccessibleEvents(const TextBoxAccessibleEvents&) = delete;
    TextBoxAccessibleEvents& operator=(const TextBoxAccessibleEvents&) = delete;

  private:
    void on_modified(int type, sptr_t position, sptr_t length, const QByteArray& text);
    void on_update_ui(int updated);

    ScintillaEditBase& box_;
    AccessibleAnnouncer announcer_;
    Utf16Offsets offsets_;
    QMetaObject::Connection modified_;
    QMetaObject::Connection update_ui_;
    // The caret and the anchor as last told, or -1.
    int caret_ = -1;
    int anchor_ = -1;
};

}  // namespace platform::qt
