// Converts between the Scintilla widget's byte positions and UTF-16 offsets.
#include "platform/qt/utf16_offsets.h"

#include <algorithm>
#include <cstdlib>

namespace platform::qt {

Utf16Offsets::Utf16Offsets(ScintillaEditBase& box) : box_(box) {
    edits_ = QObject::connect(
        &box, &ScintillaEditBase::modified,
        [this](Scintilla::ModificationFlags type, Scintilla::Position position,
               Scintilla::Position length, Scintilla::Position, const QByteArray& text,
               Scintilla::Position, Scintilla::FoldLevel, Scintilla::FoldLevel) {
            on_modified(static_cast<int>(type), position, length, text);
        });
}

// The index stays: Scintilla counts its users, and this may outlive the box's document.
Utf16Offsets::~Utf16Offsets() {
    QObject::disconnect(edits_);
}

int Utf16Offsets::length() {
    if (length_ < 0)
        length_ = offset_of(send(SCI_GETLENGTH));
    return length_;
}

void Utf16Offsets::make_index() {
    if (!indexed_)
        send(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    indexed_ = true;
}

int Utf16Offsets::offset_of(sptr_t position) {
    make_index();
    position = std::clamp<sptr_t>(position, 0, send(SCI_GETLENGTH));
    const auto line =
        static_cast<uptr_t>(send(SCI_LINEFROMPOSITION, static_cast<uptr_t>(position)));
    const sptr_t line_start = send(SCI_POSITIONFROMLINE, line);
    int offset = 0;
    // Counting from the last answer when it is nearer than the line's start.
    if (known_ && std::abs(position - known_position_) < position - line_start) {
        const auto [from, to] = std::minmax(position, known_position_);
        const auto between =
            static_cast<int>(send(SCI_COUNTCODEUNITS, static_cast<uptr_t>(from), to));
        offset = known_offset_ + (position >= known_position_ ? between : -between);
    } else {
        offset =
            static_cast<int>(send(SCI_INDEXPOSITIONFROMLINE, line, SC_LINECHARACTERINDEX_UTF16) +
                             send(SCI_COUNTCODEUNITS, static_cast<uptr_t>(line_start), position));
    }
    remember(position, offset);
    return offset;
}

sptr_t Utf16Offsets::position_of(int offset) {
    make_index();
    offset = std::clamp(offset, 0, length());
    if (offset == 0)
        return 0;
    const auto line = static_cast<uptr_t>(
        send(SCI_LINEFROMINDEXPOSITION, static_cast<uptr_t>(offset), SC_LINECHARACTERINDEX_UTF16));
    const auto line_offset =
        static_cast<int>(send(SCI_INDEXPOSITIONFROMLINE, line, SC_LINECHARACTERINDEX_UTF16));
    const bool from_known = known_ && std::abs(offset - known_offset_) < offset - line_offset;
    const sptr_t from = from_known ? known_position_ : send(SCI_POSITIONFROMLINE, line);
    const int units = offset - (from_known ? known_offset_ : line_offset);
    sptr_t position = relative(from, units);
    // Scintilla answers 0 for an offset between the halves of a surrogate pair: its start it is.
    if (position == 0) {
        --offset;
        position = offset == 0 ? 0 : relative(from, units - 1);
    }
    remember(position, offset);
    return position;
}

sptr_t Utf16Offsets::relative(sptr_t from, int units) const {
    return units == 0 ? from
                      : send(SCI_POSITIONRELATIVECODEUNITS, static_cast<uptr_t>(from), units);
}

// Text changed after the remembered place leaves it as it was; the length follows the changed
// text when Scintilla tells it (it keeps no copy of removed text without undo history).
void Utf16Offsets::on_modified(int type, sptr_t position, sptr_t length, const QByteArray& text) {
    if ((type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) == 0)
        return;
    if (position < known_position_)
        known_ = false;
    if (length_ < 0)
        return;
    if (text.size() != length) {
        length_ = -1;
        return;
    }
    int units = 0;
    for (const char byte : text) {
        const auto unit = static_cast<unsigned char>(byte);
        units += (unit & 0xC0) != 0x80 ? 1 : 0;  // a character's first byte
        units += unit >= 0xF0 ? 1 : 0;           // outside the basic plane: a surrogate pair
    }
    length_ += (type & SC_MOD_INSERTTEXT) != 0 ? units : -units;
}

void Utf16Offsets::remember(sptr_t position, int offset) {
    known_ = true;
    known_position_ = position;
    known_offset_ = offset;
}

}  // namespace platform::qt
