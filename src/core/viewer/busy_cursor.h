// Shows the wait cursor for as long as the scope lasts, even when it is left by an exception.
#pragma once

#include "core/host/window.h"

namespace viewer {

class BusyCursor {
  public:
    explicit BusyCursor(host::Window& window) : window_(window) { window_.set_busy_cursor(true); }
    ~BusyCursor() { window_.set_busy_cursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    host::Window& window_;
};

}  // namespace viewer
