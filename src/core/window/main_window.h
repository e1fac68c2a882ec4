// Form1, the program's only window: start-up, layout, the menu trigger and the menu commands.
#pragma once

#include <string>

#include "core/host/host.h"
#include "core/host/window_events.h"
#include "core/window/command_menu.h"
#include "core/window/common_dialog.h"

namespace window {

// Whether a press on the text box opens the command menu: the right button with Shift alone.
bool opens_command_menu(int button, int shift);

class Form1 final : public host::WindowEvents {
  public:
    explicit Form1(const host::Host& host);

    void on_load() override;
    void on_resize() override;
    bool on_text_mouse_down(const host::MouseDown& press) override;
    // Refused, as the menu is, while one of this window's procedures has a dialog or menu up.
    void on_files_given(const std::vector<host::GivenFile>& files) override;

    // The Click of a menu item.
    void on_menu_click(MenuItem item);

    const CommandMenu& hoppu() const { return hoppu_; }
    const std::u16string& open_path() const { return open_path_; }

  private:
    void layout();
    void quit();

    // Marks a procedure as running for as long as it lives; one may run inside another (a
    // menu's command). An event that arrives meanwhile came through the modal loop of a dialog
    // or menu.
    class Running {
      public:
        explicit Running(bool& running) : running_(running), outer_(running) { running_ = true; }
        ~Running() { running_ = outer_; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

      private:
        bool& running_;
        bool outer_;
    };

    host::Host host_;
    CommonDialog CommonDialog1_;
    CommandMenu hoppu_;
    std::u16string open_path_;
    bool running_ = false;
};

}  // namespace window
