// The Scintilla text box as assistive technology sees it: an editable text named as Text1, read
// and edited through Qt's text interfaces (what the AT-SPI bridge turns into the Text and
// EditableText interfaces), with offsets in UTF-16 units of the whole text.
#pragma once

#include <QAccessibleWidget>
#include <memory>

#include "platform/qt/utf16_offsets.h"

namespace platform::qt {

class TextBoxAccessible final : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
  public:
    explicit TextBoxAccessible(ScintillaEditBase& box);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    // Its viewport and scroll bars are the box's own workings, not parts to visit.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    // QAccessibleTextInterface
    void selection(int index, int* start, int* end) const override;
    int selectionCount() const override;
    void addSelection(int start, int end) override;
    void removeSelection(int index) override;
    void setSelection(int index, int start, int end) override;
    int cursorPosition() const override;
    void setCursorPosition(int offset) override;
    QString text(int start, int end) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int start, int end) override;
    QString attributes(int offset, int* start, int* end) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int start, int end) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int start, int end, const QString& text) override;

  private:
    struct Span {
        int start;
        int end;
    };
    ScintillaEditBase& box() const;
    sptr_t send(unsigned int message, uptr_t w = 0, sptr_t l = 0) const;
    // `as_caret`: an offset that is the caret's is where the caret is drawn, at the end of the
    // row before it at a wrap point; the spans before and after a span are asked without.
    Span span_at(int offset, QAccessible::TextBoundaryType boundary, bool as_caret = true) const;
    Span row_at(int offset, bool as_caret) const;
    Span paragraph_at(int offset) const;
    QString span_text(Span span, int* start, int* end) const;

    std::unique_ptr<Utf16Offsets> offsets_;  // const questions move its remembered answer
};

// Before the text box is created: Qt keeps the accessible interface it first made for an object.
void expose_text_box_as_editable_text();

}  // namespace platform::qt
