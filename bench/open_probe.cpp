// Times one open in a running program, from the key press that confirms its open dialog to the
// file's text shown: presses Return through XTest, then watches the Form1 window until its
// caption is the file's path and text crosses at least MIN_ROWS pixel rows. Prints milliseconds to
// the caption and to the text, and the owner's resident and peak memory afterwards.
//   open_probe WINDOW_ID CAPTION MIN_ROWS
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "x_display.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto poll_interval = std::chrono::milliseconds(1);
constexpr auto give_up_after = std::chrono::minutes(10);
constexpr xcb_keysym_t return_keysym = 0xff0d;  // XK_Return
constexpr char error_title[] = "エラー";        // the programs' error box
constexpr int error_check_every = 50;           // polls: looking for it takes many requests

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The keycode the server's keyboard map gives Return.
xcb_keycode_t return_keycode(xcb_connection_t* connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const bench::ReplyPtr<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
        connection,
        xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr));
    if (!mapping)
        return 0;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int per_keycode = mapping->keysyms_per_keycode;
    for (int code = 0; code < count; ++code) {
        for (int level = 0; level < per_keycode; ++level) {
            if (keysyms[code * per_keycode + level] == return_keysym)
                return static_cast<xcb_keycode_t>(setup->min_keycode + code);
        }
    }
    return 0;
}

void press_return(xcb_connection_t* connection, xcb_keycode_t key) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_test_fake_input(connection, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_test_fake_input(connection, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_flush(connection);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: open_probe WINDOW_ID CAPTION MIN_ROWS\n");
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    const std::string caption = argv[2];
    const int min_rows = std::atoi(argv[3]);
    const bench::Connection display;
    const xcb_keycode_t key = return_keycode(display.get());
    if (key == 0) {
        std::fprintf(stderr, "open_probe: the keyboard has no Return key\n");
        return 1;
    }
    const pid_t owner = display.owner(window);

    const Clock::time_point start = Clock::now();
    press_return(display.get(), key);
    for (int poll = 1; display.caption(window) != caption; ++poll) {
        if (poll % error_check_every == 0 && display.find_titled(owner, error_title)) {
            std::printf("refused %.1f %.1f %.1f\n", ms_since(start),
                        bench::status_mib(owner, "VmRSS"), bench::status_mib(owner, "VmHWM"));
            return 0;
        }
        if (Clock::now() - start > give_up_after) {
            std::fprintf(stderr, "open_probe: the caption never became %s\n", caption.c_str());
            return 1;
        }
        std::this_thread::sleep_for(poll_interval);
    }
    const double caption_ms = ms_since(start);
    while (display.ink(window).rows < min_rows) {
        if (Clock::now() - start > give_up_after) {
            std::fprintf(stderr, "open_probe: the text was never shown\n");
            return 1;
        }
        std::this_thread::sleep_for(poll_interval);
    }
    const double text_ms = ms_since(start);
    std::printf("%.1f %.1f %.1f %.1f\n", caption_ms, text_ms, bench::status_mib(owner, "VmRSS"),
                bench::status_mib(owner, "VmHWM"));
    return 0;
}
