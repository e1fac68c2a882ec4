// Files dragged from a file manager and dropped anywhere on Form1, the text box included. The
// filter sits in front of whatever widget is the text box, so text dragged from another program
// still reaches the box untouched and keeps the box's own rules.
#pragma once

#include <QList>
#include <QObject>
#include <QUrl>
#include <functional>
#include <vector>

#include "core/host/window_events.h"

class QWidget;

namespace platform::qt {

// The items of a drop as the core takes them: a file of this computer by its path, bytes and
// all; anything else (a web address, a file on another host) by its address.
std::vector<host::GivenFile> given_files(const QList<QUrl>& urls);

class FileDrop final : public QObject {
  public:
    // Handed the items of each drop taken. Called inside the drop: the source waits until it
    // returns, so it should not run a modal loop itself.
    using Dropped = std::function<void(std::vector<host::GivenFile>)>;

    explicit FileDrop(Dropped dropped) : dropped_(std::move(dropped)) {}

    // Takes the drops of addresses on `widget` and every widget inside it as it stands now (a
    // scroll area's viewport receives them there), and lets `widget` accept drops: a child that
    // accepts none passes them up to it.
    void watch(QWidget& widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Dropped dropped_;
};

}  // namespace platform::qt
