// Unexpected failures in a Qt message box.
#include "platform/qt/qt_guard.h"

#include <QMessageBox>
#include <QWidget>
#include <QtDebug>

#include "platform/qt/qt_strings.h"

namespace platform::qt {

common::FailureReporter::ShowBox failure_box(QWidget* parent) {
    return [parent](const char16_t* message) {
        const QString text = QString::fromUtf16(message);
        qCritical().noquote() << text;
        QMessageBox::critical(parent, qstring_from_u16(common::error_title), text);
    };
}

int run_guarded(const std::function<int()>& program) {
    common::FailureReporter failures(failure_box(nullptr));
    int exit_code = 1;
    failures.guarded([&] { exit_code = program(); });
    return exit_code;
}

}  // namespace platform::qt
