// Form1's event procedures.
#include "core/window/main_window.h"

#include "core/font/font_command.h"
#include "core/topmost/toggle_topmost.h"
#include "core/topmost/topmost.h"
#include "core/viewer/open_command.h"
#include "core/window/instruction_text.h"

namespace window {

namespace {

constexpr std::u16string_view cannot_stay_on_top_message =
    u"このデスクトップでは、ウィンドウを常に手前に表示できません。\n"
    u"「常にケロミナする」はオフになっています。";

}  // namespace

bool opens_command_menu(int button, int shift) {
    return button == host::button_right && shift == host::shift_mask;
}

Form1::Form1(const host::Host& host) : host_(host), CommonDialog1_(host.dialogs) {}

void Form1::on_load() {
    const Running running(running_);
    host_.text_box.set_text(std::u16string(instruction_text));
    topmost::apply_topmost(host_);
    layout();
    if (!host_.placement.can_stay_on_top()) {
        // The check mark records what the window does, so it must not claim what cannot be.
        hoppu_.set_top_on_checked(false);
        host_.dialogs.show_error(std::u16string(cannot_stay_on_top_message));
    }
}

void Form1::on_resize() {
    layout();
}

void Form1::layout() {
    // Height before width; the text box stays at the client origin and so covers it exactly.
    host_.text_box.set_height(host_.window.scale_height());
    host_.text_box.set_width(host_.window.scale_width());
}

bool Form1::on_text_mouse_down(const host::MouseDown& press) {
    if (!opens_command_menu(press.button, press.shift))
        return false;
    const Running running(running_);
    // The text box sits at the client origin, so its point is the same point of the form.
    const auto chosen = host_.window.popup_menu(hoppu_.popup(), press.x, press.y);
    if (chosen) {
        if (const auto item = CommandMenu::item_from_id(*chosen))
            on_menu_click(*item);
    }
    return true;
}

void Form1::on_files_given(const std::vector<host::GivenFile>& files) {
    if (running_)
        return;
    const Running running(running_);
    viewer::show_given_files(host_, open_path_, files);
}

void Form1::on_menu_click(MenuItem item) {
    const Running running(running_);
    switch (item) {
        case MenuItem::IDM_open:
            viewer::run_open_command(host_, CommonDialog1_, open_path_);
            break;
        case MenuItem::IDM_font_set:
            font::run_font_command(host_.text_box, CommonDialog1_);
            break;
        case MenuItem::IDM_top_on_set:
            hoppu_.set_top_on_checked(topmost::toggle_topmost(host_, hoppu_.top_on_checked()));
            break;
        case MenuItem::IDM_end_set:
            quit();
            break;
        case MenuItem::IDM_save:
        case MenuItem::IDM_overwrite:
        case MenuItem::senn:
        case MenuItem::sen:
            break;  // present in the menu, and do nothing: the program never writes a file
    }
}

void Form1::quit() {
    host_.window.unload();
    host_.window.end();
}

}  // namespace window
