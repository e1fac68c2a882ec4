// Creating Form1 on Win32 and raising its Load.
#include "host/win32/win_program.h"

#include "host/win32/guard.h"

namespace win32_host {

Win32Program::Win32Program(HINSTANCE instance)
    : form_(instance),
      window_(form_),
      dialogs_(form_),
      files_(),
      core_(host::Host{window_, window_, form_.text1(), dialogs_, files_, window_}) {
    form_.set_events(&core_);
}

Win32Program::~Win32Program() {
    form_.set_events(nullptr);
}

void Win32Program::start() {
    guarded(form_.hwnd(), [this] { core_.on_load(); });
}

}  // namespace win32_host
