// Shows the core's popup menu as a QMenu.
#pragma once

#include <QPoint>
#include <optional>

#include "core/host/popup_menu.h"

class QWidget;

namespace platform::qt {

// Modal; the chosen entry's id, or nothing when the menu is dismissed.
std::optional<int> exec_popup_menu(const host::PopupMenu& menu, const QPoint& global_position,
                                   QWidget* parent);

}  // namespace platform::qt
