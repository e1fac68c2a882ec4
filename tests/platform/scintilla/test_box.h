// A real Scintilla for the shared text box's tests, made by the platform the tests are built
// for, set up as the programs set it up, its notifications handed to the test.
#pragma once

#include <functional>
#include <memory>

#include "platform/scintilla/scintilla_call.h"

namespace scintilla_test {

class TestBox {
  public:
    TestBox();
    ~TestBox();
    TestBox(const TestBox&) = delete;
    TestBox& operator=(const TestBox&) = delete;

    const platform::scintilla::ScintillaCall& call() const;
    // The message delivered as the platform delivers it (a window message on Windows), not
    // through the direct function.
    sptr_t send(unsigned int message, uptr_t wparam = 0, sptr_t lparam = 0);

    // Called with each notification the box sends its parent.
    std::function<void(const SCNotification&)> on_notify;

  private:
    struct Platform;
    std::unique_ptr<Platform> platform_;
};

}  // namespace scintilla_test
