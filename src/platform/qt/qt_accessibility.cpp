// The accessible interface of Form1's widget.
#include "platform/qt/qt_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "platform/qt/form_widget.h"

namespace platform::qt {
namespace {

QAccessibleInterface* form_interface(const QString& /*class_name*/, QObject* object) {
    auto* form = dynamic_cast<FormWidget*>(object);
    if (form == nullptr)
        return nullptr;
    // A window's name is its title, so it follows the caption. Qt's cache owns the interface.
    return new QAccessibleWidget(form, QAccessible::Window);
}

}  // namespace

void expose_form_as_window() {
    QAccessible::installFactory(&form_interface);  // Qt installs each factory once
}

}  // namespace platform::qt
