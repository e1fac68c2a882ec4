// The text box's edit menu on Qt: the shared model (platform/scintilla/edit_menu.h) shown as a
// QMenu; and the clipboard's text made into what the box holds, and back.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringView>
#include <optional>
#include <string>
#include <vector>

#include "platform/scintilla/edit_menu.h"

class QWidget;

namespace platform::qt {

// Modal at `global_point`; the item chosen, if any.
std::optional<scintilla::EditCommand> exec_edit_menu(
    const std::vector<scintilla::EditMenuItem>& items, const QPoint& global_point, QWidget& parent);

// The box's text as copied out of it: each CR LF made this system's LF, in place, in one pass.
void copy_with_lf_breaks(QString& text);

// `text` as UTF-8 with every line break CR LF (CR LF, LF and a lone CR each end a line) and each
// NUL as ␀, as a file's text is shown: a NUL would end the text Scintilla is handed.
std::string pasted_bytes(QStringView text);

}  // namespace platform::qt
