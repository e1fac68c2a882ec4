// The popup menu on Qt.
#include "platform/qt/qt_popup_menu.h"

#include <QAction>
#include <QMenu>

#include "platform/common/menu_captions.h"
#include "platform/qt/qt_strings.h"

namespace platform::qt {

std::optional<int> exec_popup_menu(const host::PopupMenu& model, const QPoint& global_position,
                                   QWidget* parent) {
    QMenu menu(parent);
    menu.setObjectName(QStringLiteral("hoppu"));
    menu.setTitle(qstring_from_u16(model.caption));
    menu.setWindowTitle(menu.title());  // names the menu's window, so tools can find it
    for (const host::PopupMenuEntry& entry : model.entries) {
        if (entry.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action =
            menu.addAction(qstring_from_u16(common::caption_as_written(entry.caption)));
        action->setData(entry.id);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checked);
    }
    const QAction* chosen = menu.exec(global_position);
    if (chosen == nullptr)
        return std::nullopt;
    return chosen->data().toInt();
}

}  // namespace platform::qt
