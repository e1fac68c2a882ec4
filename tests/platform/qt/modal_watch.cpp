// Driving modal loops from a timer.
#include "modal_watch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

namespace qt_test {

ModalWatch::ModalWatch(std::function<void(QWidget&)> answer) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(10);
}

ModalWatch::~ModalWatch() {
    timer_.stop();
}

void ModalWatch::poll() {
    QWidget* shown = QApplication::activePopupWidget();
    if (shown == nullptr)
        shown = QApplication::activeModalWidget();
    if (shown == nullptr || shown == last_ || !shown->isVisible())
        return;
    last_ = shown;
    ++seen_;
    answer_(*shown);
}

int exit_code_of_main_loop(const std::function<void()>& action) {
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    deadline.start(10000);
    QTimer::singleShot(0, action);
    return QApplication::exec();
}

void answer_open(QWidget& shown, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(&shown);
    ASSERT_NE(dialog, nullptr);
    if (path.isEmpty()) {
        dialog->reject();
        return;
    }
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    static_cast<QDialog*>(dialog)->accept();  // runs the dialog's own checks
}

}  // namespace qt_test
