// The Scintilla text box's accessible interface, over Scintilla's messages.
#include "platform/qt/text_box_accessible.h"

#include <QAccessible>
#include <QTextBoundaryFinder>
#include <algorithm>

#include "core/window/form1_design.h"
#include "platform/qt/qt_strings.h"

namespace platform::qt {
namespace {

// Characters, words and sentences are found in this many UTF-16 units either side of the
// offset asked about, within its paragraph: a line may hold a whole file.
constexpr int boundary_reach = 1024;
// Beyond any row's end.
constexpr uptr_t far_right = uptr_t{1} << 40;

}  // namespace

TextBoxAccessible::TextBoxAccessible(ScintillaEditBase& box)
    : QAccessibleWidget(&box, QAccessible::EditableText),
      offsets_(std::make_unique<Utf16Offsets>(box)) {}

ScintillaEditBase& TextBoxAccessible::box() const {
    return *static_cast<ScintillaEditBase*>(widget());
}

sptr_t TextBoxAccessible::send(unsigned int message, uptr_t w, sptr_t l) const {
    return box().send(message, w, l);
}

void* TextBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TextBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    const bool read_only = send(SCI_GETREADONLY) != 0;
    state.editable = !read_only;
    state.readOnly = read_only;
    state.multiLine = true;
    state.selectableText = true;
    state.focusable = true;
    return state;
}

// Text1's name and description, unless the widget was given others.
QString TextBoxAccessible::text(QAccessible::Text kind) const {
    QString answer = QAccessibleWidget::text(kind);
    if (!answer.isEmpty())
        return answer;
    if (kind == QAccessible::Name)
        return qstring_from_u16(window::text1_accessible_name);
    if (kind == QAccessible::Description)
        return qstring_from_u16(window::text1_accessible_description);
    return answer;
}

void TextBoxAccessible::selection(int index, int* start, int* end) const {
    *start = 0;
    *end = 0;
    if (index != 0 || send(SCI_GETSELECTIONEMPTY) != 0)
        return;
    *start = offsets_->offset_of(send(SCI_GETSELECTIONSTART));
    *end = offsets_->offset_of(send(SCI_GETSELECTIONEND));
}

int TextBoxAccessible::selectionCount() const {
    return send(SCI_GETSELECTIONEMPTY) != 0 ? 0 : 1;
}

// The box holds one selection: adding one replaces it.
void TextBoxAccessible::addSelection(int start, int end) {
    setSelection(0, start, end);
}

void TextBoxAccessible::removeSelection(int index) {
    if (index == 0)
        send(SCI_SETEMPTYSELECTION, static_cast<uptr_t>(send(SCI_GETCURRENTPOS)));
}

void TextBoxAccessible::setSelection(int index, int start, int end) {
    if (index != 0)
        return;
    send(SCI_SETSEL, static_cast<uptr_t>(offsets_->position_of(start)), offsets_->position_of(end));
}

int TextBoxAccessible::cursorPosition() const {
    return offsets_->offset_of(send(SCI_GETCURRENTPOS));
}

void TextBoxAccessible::setCursorPosition(int offset) {
    send(SCI_GOTOPOS, static_cast<uptr_t>(offsets_->position_of(offset)));
}

QString TextBoxAccessible::text(int start, int end) const {
    const int count = characterCount();
    if (end < 0 || end > count)
        end = count;
    start = std::clamp(start, 0, end);
    const sptr_t from = offsets_->position_of(start);
    const sptr_t to = offsets_->position_of(end);
    const auto* bytes = reinterpret_cast<const char*>(
        send(SCI_GETRANGEPOINTER, static_cast<uptr_t>(from), to - from));
    return bytes == nullptr ? QString() : QString::fromUtf8(bytes, to - from);
}

int TextBoxAccessible::characterCount() const {
    return offsets_->length();
}

// A paragraph is a line of the text, with its line end.
TextBoxAccessible::Span TextBoxAccessible::paragraph_at(int offset) const {
    const auto line = static_cast<uptr_t>(
        send(SCI_LINEFROMPOSITION, static_cast<uptr_t>(offsets_->position_of(offset))));
    return {offsets_->offset_of(send(SCI_POSITIONFROMLINE, line)),
            offsets_->offset_of(send(SCI_POSITIONFROMLINE, line + 1))};
}

// A line is a row as the box shows it, a paragraph's last row with the line end. A line not
// yet wrapped (the box wraps in the background) is one row until it is.
TextBoxAccessible::Span TextBoxAccessible::row_at(int offset, bool as_caret) const {
    const sptr_t position = offsets_->position_of(offset);
    const auto line =
        static_cast<uptr_t>(send(SCI_LINEFROMPOSITION, static_cast<uptr_t>(position)));
    const sptr_t line_start = send(SCI_POSITIONFROMLINE, line);
    const sptr_t line_end = send(SCI_GETLINEENDPOSITION, line);
    const sptr_t next_line = send(SCI_POSITIONFROMLINE, line + 1);
    if (send(SCI_WRAPCOUNT, line) <= 1)
        return {offsets_->offset_of(line_start), offsets_->offset_of(next_line)};
    // The caret at a row's end is on that row, not on the next one its position starts.
    const bool at_row_end =
        as_caret && position == send(SCI_GETCURRENTPOS) && send(SCI_GETCARETATROWEND) != 0;
    const sptr_t on_row =
        at_row_end ? send(SCI_POSITIONBEFORE, static_cast<uptr_t>(position)) : position;
    const sptr_t y = send(SCI_POINTYFROMPOSITION, 0, on_row);
    const sptr_t row_start = send(SCI_POSITIONFROMPOINT, 0, y);
    sptr_t row_end = send(SCI_POSITIONFROMPOINT, far_right, y);
    if (row_start < line_start || row_start > on_row || row_end < on_row)
        return {offsets_->offset_of(line_start), offsets_->offset_of(next_line)};
    if (row_end >= line_end)
        row_end = next_line;
    return {offsets_->offset_of(row_start), offsets_->offset_of(row_end)};
}

TextBoxAccessible::Span TextBoxAccessible::span_at(int offset,
                                                   QAccessible::TextBoundaryType boundary,
                                                   bool as_caret) const {
    const int count = characterCount();
    offset = std::clamp(offset, 0, count);
    QTextBoundaryFinder::BoundaryType finder_type = QTextBoundaryFinder::Grapheme;
    switch (boundary) {
        case QAccessible::NoBoundary:
            return {0, count};
        case QAccessible::LineBoundary:
            return row_at(offset, as_caret);
        case QAccessible::ParagraphBoundary:
            return paragraph_at(offset);
        case QAccessible::WordBoundary:
            finder_type = QTextBoundaryFinder::Word;
            break;
        case QAccessible::SentenceBoundary:
            finder_type = QTextBoundaryFinder::Sentence;
            break;
        case QAccessible::CharBoundary:
            break;
    }
    if (offset == count)
        return {count, count};
    const Span paragraph = paragraph_at(offset);
    const int from = std::max(paragraph.start, offset - boundary_reach);
    const QString piece = text(from, std::min(paragraph.end, offset + boundary_reach));
    QTextBoundaryFinder finder(finder_type, piece);
    const int at = offset - from;
    finder.setPosition(at);
    const int start = finder.isAtBoundary() ? at : finder.toPreviousBoundary();
    finder.setPosition(at);
    const int end = finder.toNextBoundary();
    return {from + std::max(start, 0), from + (end < 0 ? static_cast<int>(piece.size()) : end)};
}

QString TextBoxAccessible::span_text(Span span, int* start, int* end) const {
    *start = span.start;
    *end = span.end;
    return text(span.start, span.end);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                        int* start, int* end) const {
    return span_text(span_at(offset, boundary), start, end);
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                            int* start, int* end) const {
    const Span at = span_at(offset, boundary);
    if (at.start == 0)
        return span_text({0, 0}, start, end);
    return span_text(span_at(at.start - 1, boundary, false), start, end);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                           int* start, int* end) const {
    const Span at = span_at(offset, boundary);
    const int count = characterCount();
    if (at.end >= count)
        return span_text({count, count}, start, end);
    return span_text(span_at(at.end, boundary, false), start, end);
}

// On the screen, as Qt's accessibility counts.
QRect TextBoxAccessible::characterRect(int offset) const {
    const sptr_t position = offsets_->position_of(offset);
    const sptr_t next = send(SCI_POSITIONAFTER, static_cast<uptr_t>(position));
    const auto x = static_cast<int>(send(SCI_POINTXFROMPOSITION, 0, position));
    const auto y = static_cast<int>(send(SCI_POINTYFROMPOSITION, 0, position));
    const auto next_x = static_cast<int>(send(SCI_POINTXFROMPOSITION, 0, next));
    const bool same_row = send(SCI_POINTYFROMPOSITION, 0, next) == y && next_x > x;
    const int width =
        same_row
            ? next_x - x
            : static_cast<int>(send(SCI_TEXTWIDTH, STYLE_DEFAULT, reinterpret_cast<sptr_t>(" ")));
    const auto height = static_cast<int>(
        send(SCI_TEXTHEIGHT,
             static_cast<uptr_t>(send(SCI_LINEFROMPOSITION, static_cast<uptr_t>(position)))));
    return QRect(box().viewport()->mapToGlobal(QPoint(x, y)), QSize(width, height));
}

int TextBoxAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = box().viewport()->mapFromGlobal(point);
    if (local.x() < 0 || local.y() < 0)
        return -1;
    const sptr_t position =
        send(SCI_CHARPOSITIONFROMPOINTCLOSE, static_cast<uptr_t>(local.x()), local.y());
    return position < 0 ? -1 : offsets_->offset_of(position);
}

void TextBoxAccessible::scrollToSubstring(int start, int end) {
    send(SCI_SCROLLRANGE, static_cast<uptr_t>(offsets_->position_of(end)),
         offsets_->position_of(start));
}

// Plain text: no attributes, the same over the whole text.
QString TextBoxAccessible::attributes(int, int* start, int* end) const {
    *start = 0;
    *end = characterCount();
    return QString();
}

void TextBoxAccessible::deleteText(int start, int end) {
    replaceText(start, end, QString());
}

void TextBoxAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

// As an edit of the user's: refused in a read-only box, undone in one step.
void TextBoxAccessible::replaceText(int start, int end, const QString& text) {
    if (send(SCI_GETREADONLY) != 0)
        return;
    const sptr_t from = offsets_->position_of(std::min(start, end));
    const sptr_t to = offsets_->position_of(std::max(start, end));
    const QByteArray bytes = text.toUtf8();
    send(SCI_BEGINUNDOACTION);
    send(SCI_SETTARGETRANGE, static_cast<uptr_t>(from), to);
    send(SCI_REPLACETARGET, static_cast<uptr_t>(bytes.size()),
         reinterpret_cast<sptr_t>(bytes.constData()));
    send(SCI_ENDUNDOACTION);
}

namespace {

QAccessibleInterface* text_box_interface(const QString& /*class_name*/, QObject* object) {
    auto* box = qobject_cast<ScintillaEditBase*>(object);
    // Qt's cache owns the interface and deletes it with the box.
    return box == nullptr ? nullptr : new TextBoxAccessible(*box);
}

}  // namespace

void expose_text_box_as_editable_text() {
    QAccessible::installFactory(&text_box_interface);  // Qt installs each factory once
}

}  // namespace platform::qt
