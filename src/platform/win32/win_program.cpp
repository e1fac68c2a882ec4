// Creating Form1 on Win32 and raising its Load.
#include "platform/win32/win_program.h"

namespace platform::win32 {
namespace {

// Load shows the window before it lays the text box out: drawn in between, the box would be
// drawn twice, first at its design size.
class RedrawPaused {
  public:
    explicit RedrawPaused(HWND window) : window_(window) {
        SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawPaused() {
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    RedrawPaused(const RedrawPaused&) = delete;
    RedrawPaused& operator=(const RedrawPaused&) = delete;

  private:
    HWND window_;
};

}  // namespace

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

void Win32Program::start(std::vector<std::u16string> files) {
    {
        const RedrawPaused paused(form_.text1().hwnd());
        form_.failures().guarded([this] {
            const ScintillaTextBox::ResizeBatch one_move(form_.text1());
            core_.on_load();
        });
    }
    if (!files.empty()) {
        std::vector<host::GivenFile> given;
        for (std::u16string& path : files)
            given.push_back({std::move(path), true});
        form_.failures().guarded([&] { core_.on_files_given(given); });
    }
    // The text first, then the icons.
    RedrawWindow(form_.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    form_.show_icons();
}

}  // namespace platform::win32
