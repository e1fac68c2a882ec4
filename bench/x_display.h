// Windows of the X display seen through XCB, for the benchmarks' probes: finding a program's
// Form1 window, reading its caption and counting the dark pixels it shows.
#pragma once

#include <sys/types.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace bench {

// Text is black on a white box: this many dark pixels inside the box's edges means the lines
// are drawn. Wine's small anti-aliased font leaves few pixels below 64, hence the level.
constexpr int dark_pixels_for_text = 100;
constexpr int dark_level = 96;
constexpr int edge = 4;  // the box's sunken border and frame, drawn before any text
// A pixel row crossing a line of text has at least this many of them.
constexpr int dark_pixels_for_a_row = 3;

struct Ink {
    int pixels = 0;  // dark pixels
    int rows = 0;    // pixel rows that cross text
};

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

struct Disconnect {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};

class Connection {
  public:
    Connection() : owned_(xcb_connect(nullptr, nullptr)), connection_(owned_.get()) {
        if (xcb_connection_has_error(connection_) != 0) {
            std::fprintf(stderr, "startup_probe: cannot connect to the X display\n");
            std::exit(1);
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        net_wm_pid_ = atom("_NET_WM_PID");
        net_client_list_ = atom("_NET_CLIENT_LIST");
        net_wm_name_ = atom("_NET_WM_NAME");
    }

    // The viewable window of `pid` titled Form1: among the window manager's clients when it
    // lists them (one request instead of a walk through every frame), else anywhere below the
    // root.
    std::optional<xcb_window_t> find_form(pid_t pid) const { return find_titled(pid, "Form1"); }

    // The same for any title, as the window manager shows it (UTF-8).
    std::optional<xcb_window_t> find_titled(pid_t pid, const std::string& title) const {
        const ReplyPtr<xcb_get_property_reply_t> clients(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, root_, net_client_list_, XCB_ATOM_WINDOW, 0, 1024),
            nullptr));
        if (!clients || clients->type != XCB_ATOM_WINDOW)
            return search(root_, pid, title, 0);
        const auto* windows =
            static_cast<const xcb_window_t*>(xcb_get_property_value(clients.get()));
        const int count = xcb_get_property_value_length(clients.get()) / 4;
        for (int i = count - 1; i >= 0; --i) {
            if (is_titled(windows[i], pid, title))
                return windows[i];
        }
        return std::nullopt;
    }

    // The text the window shows now inside its edges, where only text can be.
    Ink ink(xcb_window_t window) const {
        const ReplyPtr<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
        if (!geometry || geometry->width <= 2 * edge || geometry->height <= 2 * edge)
            return {};
        const int width = geometry->width - 2 * edge;
        const int height = geometry->height - 2 * edge;
        const ReplyPtr<xcb_get_image_reply_t> image(
            xcb_get_image_reply(connection_,
                                xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, edge,
                                              edge, static_cast<std::uint16_t>(width),
                                              static_cast<std::uint16_t>(height), ~0u),
                                nullptr));
        if (!image || image->depth < 24)
            return {};
        const std::uint8_t* pixels = xcb_get_image_data(image.get());
        const int length = xcb_get_image_data_length(image.get());
        const int row_bytes = length / height;
        Ink ink;
        for (int row = 0; row < height; ++row) {
            int dark_in_row = 0;
            // 32 bits a pixel: blue, green, red, pad.
            for (int i = row * row_bytes; i + 3 < (row + 1) * row_bytes; i += 4) {
                if (pixels[i] < dark_level && pixels[i + 1] < dark_level &&
                    pixels[i + 2] < dark_level)
                    ++dark_in_row;
            }
            ink.pixels += dark_in_row;
            if (dark_in_row >= dark_pixels_for_a_row)
                ++ink.rows;
        }
        return ink;
    }

    // The window's title as the window manager shows it: _NET_WM_NAME, else WM_NAME.
    std::string caption(xcb_window_t window) const {
        for (const xcb_atom_t name : {net_wm_name_, xcb_atom_t{XCB_ATOM_WM_NAME}}) {
            const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
                connection_, xcb_get_property(connection_, 0, window, name, XCB_ATOM_ANY, 0, 4096),
                nullptr));
            if (reply && reply->type != XCB_ATOM_NONE) {
                return std::string(
                    static_cast<const char*>(xcb_get_property_value(reply.get())),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
            }
        }
        return {};
    }

    // The process that owns the window, from _NET_WM_PID; 0 when it does not say.
    pid_t owner(xcb_window_t window) const {
        const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, net_wm_pid_, XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (!reply || xcb_get_property_value_length(reply.get()) != 4)
            return 0;
        return static_cast<pid_t>(
            *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())));
    }

    xcb_connection_t* get() const noexcept { return connection_; }

  private:
    xcb_atom_t atom(const char* name) const {
        const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::string(name).size()),
                            name),
            nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    bool is_titled(xcb_window_t window, pid_t pid, const std::string& title) const {
        const auto pid_cookie =
            xcb_get_property(connection_, 0, window, net_wm_pid_, XCB_ATOM_CARDINAL, 0, 1);
        // Form1 is plain ASCII in WM_NAME; other titles are read as UTF-8 from _NET_WM_NAME.
        const xcb_atom_t name_atom = title == "Form1" ? xcb_atom_t{XCB_ATOM_WM_NAME} : net_wm_name_;
        const auto name_cookie =
            xcb_get_property(connection_, 0, window, name_atom, XCB_ATOM_ANY, 0, 16);
        const auto attributes_cookie = xcb_get_window_attributes(connection_, window);
        const ReplyPtr<xcb_get_property_reply_t> pid_reply(
            xcb_get_property_reply(connection_, pid_cookie, nullptr));
        const ReplyPtr<xcb_get_property_reply_t> name_reply(
            xcb_get_property_reply(connection_, name_cookie, nullptr));
        const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(connection_, attributes_cookie, nullptr));
        if (!pid_reply || !name_reply || !attributes ||
            xcb_get_property_value_length(pid_reply.get()) != 4) {
            return false;
        }
        const auto owner =
            *static_cast<const std::uint32_t*>(xcb_get_property_value(pid_reply.get()));
        const std::string name(
            static_cast<const char*>(xcb_get_property_value(name_reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(name_reply.get())));
        return owner == static_cast<std::uint32_t>(pid) && name == title &&
               attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    std::optional<xcb_window_t> search(xcb_window_t parent, pid_t pid, const std::string& title,
                                       int depth) const {
        const ReplyPtr<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection_, xcb_query_tree(connection_, parent), nullptr));
        if (!tree)
            return std::nullopt;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        for (int i = count - 1; i >= 0; --i) {  // topmost first: a new window is likely there
            if (is_titled(children[i], pid, title))
                return children[i];
            if (depth < 2) {
                if (const auto found = search(children[i], pid, title, depth + 1))
                    return found;
            }
        }
        return std::nullopt;
    }

    std::unique_ptr<xcb_connection_t, Disconnect> owned_;
    xcb_connection_t* connection_;  // owned_, for the many calls that take it
    xcb_window_t root_ = 0;
    xcb_atom_t net_wm_pid_ = 0;
    xcb_atom_t net_client_list_ = 0;
    xcb_atom_t net_wm_name_ = 0;
};

// A field of /proc/PID/status in MiB ("VmRSS", "VmHWM", "RssAnon").
inline double status_mib(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":"))
            return std::strtod(line.c_str() + field.size() + 1, nullptr) / 1024.0;
    }
    return 0;
}

}  // namespace bench
