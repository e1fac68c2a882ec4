// Unexpected failures in a Qt message box.
#include "host/qt/qt_guard.h"

#include <QMessageBox>
#include <QWidget>
#include <QtDebug>

#include "host/qt/qt_strings.h"

namespace qt_host {

host::FailureReporter::ShowBox failure_box(QWidget* parent) {
    return [parent](const char16_t* message) {
        const QString text = QString::fromUtf16(message);
        qCritical().noquote() << text;
        QMessageBox::critical(parent, qstring_from_u16(host::error_title), text);
    };
}

int run_guarded(const std::function<int()>& program) {
    host::FailureReporter failures(failure_box(nullptr));
    int exit_code = 1;
    failures.guarded([&] { exit_code = program(); });
    return exit_code;
}

}  // namespace qt_host
