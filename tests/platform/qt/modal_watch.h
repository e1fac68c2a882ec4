// Answers modal dialogs and popup menus from a timer, so a test can drive a modal loop, and
// gives the open dialog a home folder of the test's own.
#pragma once

#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace qt_test {

// Polls for the active popup or modal widget and hands each new one to `answer`, which must
// close it. Stops polling when destroyed.
class ModalWatch {
  public:
    explicit ModalWatch(std::function<void(QWidget&)> answer);
    ~ModalWatch();
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    int seen() const { return seen_; }

  private:
    void poll();

    std::function<void(QWidget&)> answer_;
    QTimer timer_;
    QPointer<QWidget> last_;  // a new widget may reuse a deleted one's address
    int seen_ = 0;
};

// Runs the application's main loop with `action` as its first event and returns its exit code,
// or -1 when nothing ended the loop within the time allowed.
int exit_code_of_main_loop(const std::function<void()>& action);

// Answers an open dialog by choosing `path`, typed as a user would, or cancels it when `path`
// is empty.
void answer_open(QWidget& shown, const QString& path);

// Points HOME at a fresh folder for its lifetime, so the open dialog starts somewhere known.
class TemporaryHome {
  public:
    TemporaryHome() : old_(qgetenv("HOME")) { qputenv("HOME", dir_.path().toUtf8()); }
    ~TemporaryHome() { qputenv("HOME", old_); }
    QString path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
    QByteArray old_;
};

}  // namespace qt_test
