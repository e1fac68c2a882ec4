// Converts between the Scintilla widget's byte positions and the UTF-16 offsets Qt counts in,
// cheaply however large the text: Scintilla's UTF-16 line index finds the line, and the last
// answer is kept, since the questions come about places near each other.
#pragma once

#include <QMetaObject>

#include "ScintillaEditBase.h"

namespace platform::qt {

class Utf16Offsets {
  public:
    // The box's UTF-16 line index is made at the first question, and kept while the box lives:
    // it costs memory for each line, which only a screen reader's questions need.
    explicit Utf16Offsets(ScintillaEditBase& box);
    ~Utf16Offsets();
    Utf16Offsets(const Utf16Offsets&) = delete;
    Utf16Offsets& operator=(const Utf16Offsets&) = delete;

    // Both kept inside the text.
    int offset_of(sptr_t position);
    sptr_t position_of(int offset);
    int length();

  private:
    sptr_t send(unsigned int message, uptr_t w = 0, sptr_t l = 0) const {
        return box_.send(message, w, l);
    }
    void on_modified(int type, sptr_t position, sptr_t length, const QByteArray& text);
    void remember(sptr_t position, int offset);
    void make_index();
    sptr_t relative(sptr_t from, int units) const;

    ScintillaEditBase& box_;
    QMetaObject::Connection edits_;
    bool indexed_ = false;
    int length_ = -1;     // the text's, or -1 when not yet counted since the last edit
    bool known_ = false;  // whether the pair below still holds
    sptr_t known_position_ = 0;
    int known_offset_ = 0;
};

}  // namespace platform::qt
