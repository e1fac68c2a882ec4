// The popup menu on Qt.
#include "host/qt/qt_popup_menu.h"

#include <QAction>
#include <QMenu>

#include "host/qt/qt_strings.h"
#include "host/shared/menu_captions.h"

namespace qt_host {

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
        QAction* action = menu.addAction(qstring_from_u16(host::caption_as_written(entry.caption)));
        action->setData(entry.id);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checked);
    }
    const QAction* chosen = menu.exec(global_position);
    if (chosen == nullptr)
        return std::nullopt;
    return chosen->data().toInt();
}

}  // namespace qt_host
