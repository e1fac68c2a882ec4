// Checks of the text box's own arithmetic on any bytes, without Scintilla, Qt or Windows: the
// row styling on a miniature document (fake_scintilla.h), and the insertion gate's line and box
// limits against plain references.
#pragma once

#include <string_view>

namespace fuzz {

// The bytes make a UTF-8 text, the size of the styling's pieces and a script of requests for
// styles (in order and as a far jump makes them) and of edits. Styles are one of the row styles a
// byte, change exactly at the marks of the whole text read at once, and are the same whether the
// text is styled whole or in any pieces. Opportunities come from a fixed function of each unit's
// neighbours.
void check_row_styling(std::string_view bytes);

// vet_insertion, vet_deletion and longest_line_bytes against the lines counted plainly on the
// text they stand for, with limits small enough to build it.
void check_line_limits(std::string_view bytes);

}  // namespace fuzz
