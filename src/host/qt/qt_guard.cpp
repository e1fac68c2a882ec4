// Reporting unexpected failures from the core in the user's language.
#include "host/qt/qt_guard.h"

#include <QMessageBox>
#include <QWidget>
#include <QtDebug>
#include <exception>

#include "host/host_error.h"
#include "host/qt/qt_strings.h"

namespace qt_host {
namespace {

void report(QWidget* parent, const QString& detail) {
    qCritical().noquote() << "unexpected failure:" << detail;
    QMessageBox::critical(parent, QStringLiteral("エラー"),
                          QStringLiteral("予期しないエラーが発生しました。\n\n") + detail);
}

}  // namespace

void guarded(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
    } catch (const host::HostError& error) {
        report(parent, qstring_from_u16(error.message()));
    } catch (const std::exception& error) {
        report(parent, QString::fromUtf8(error.what()));
    }
}

}  // namespace qt_host
