// Runs core code from a Qt event handler: no exception may leave a handler, and none is hidden.
#pragma once

#include <functional>

class QWidget;

namespace qt_host {

// Reports an unexpected failure in a message box over `parent` and carries on.
void guarded(QWidget* parent, const std::function<void()>& action);

}  // namespace qt_host
