// The shared paste bound applied to Text1's document, whose text is weighed as the program
// holds text: UTF-8, with CR LF ending each line.
#pragma once

#include <QStringView>
#include <cstdint>

class QTextDocument;

namespace platform::qt {

// The UTF-8 size of the document's text outside [from, to), each line break as CR LF.
std::uint64_t kept_utf8_bytes(const QTextDocument& document, int from, int to);

// Whether pasting `pasted` in place of [from, to) keeps the box within common::paste_fits. The
// document is counted only when the bounds of one to three bytes a unit cannot decide, so an
// ordinary paste costs a pass over the pasted text alone.
bool paste_fits_document(const QTextDocument& document, int from, int to, QStringView pasted);

}  // namespace platform::qt
