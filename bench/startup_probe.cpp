// Times start-up of X11 programs, from exec to their "Form1" window viewable and then showing
// text, and reads their resident memory once idle; alternates the programs given over repeated
// runs and prints medians and their ratio to the last one (the floor). With --via, each program
// is started through LAUNCHER (wine), which must exec it in the same process.
//   startup_probe RUNS SETTLE_MS [--via LAUNCHER] PROGRAM... FLOOR
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto poll_interval = std::chrono::milliseconds(1);
constexpr auto give_up_after = std::chrono::seconds(30);
// Text is black on a white box: this many dark pixels inside the box's edges means the lines
// are drawn. Wine's small anti-aliased font leaves few pixels below 64, hence the level.
constexpr int dark_pixels_for_text = 100;
constexpr int dark_level = 96;
constexpr int edge = 4;  // the box's sunken border and frame, drawn before any text

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
    }

    // The viewable window of `pid` titled Form1: among the window manager's clients when it
    // lists them (one request instead of a walk through every frame), else anywhere below the
    // root.
    std::optional<xcb_window_t> find_form(pid_t pid) const {
        const ReplyPtr<xcb_get_property_reply_t> clients(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, root_, net_client_list_, XCB_ATOM_WINDOW, 0, 1024),
            nullptr));
        if (!clients || clients->type != XCB_ATOM_WINDOW)
            return search(root_, pid, 0);
        const auto* windows =
            static_cast<const xcb_window_t*>(xcb_get_property_value(clients.get()));
        const int count = xcb_get_property_value_length(clients.get()) / 4;
        for (int i = count - 1; i >= 0; --i) {
            if (is_form(windows[i], pid))
                return windows[i];
        }
        return std::nullopt;
    }

    // How many dark pixels the window shows now inside its edges, where only text can be.
    int dark_pixels(xcb_window_t window) const {
        const ReplyPtr<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
        if (!geometry || geometry->width <= 2 * edge || geometry->height <= 2 * edge)
            return 0;
        const int width = geometry->width - 2 * edge;
        const int height = geometry->height - 2 * edge;
        const ReplyPtr<xcb_get_image_reply_t> image(
            xcb_get_image_reply(connection_,
                                xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, edge,
                                              edge, static_cast<std::uint16_t>(width),
                                              static_cast<std::uint16_t>(height), ~0u),
                                nullptr));
        if (!image || image->depth < 24)
            return 0;
        const std::uint8_t* pixels = xcb_get_image_data(image.get());
        const int length = xcb_get_image_data_length(image.get());
        int dark = 0;
        for (int i = 0; i + 3 < length; i += 4) {  // 32 bits a pixel: blue, green, red, pad
            if (pixels[i] < dark_level && pixels[i + 1] < dark_level && pixels[i + 2] < dark_level)
                ++dark;
        }
        return dark;
    }

  private:
    xcb_atom_t atom(const char* name) const {
        const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::string(name).size()),
                            name),
            nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    bool is_form(xcb_window_t window, pid_t pid) const {
        const auto pid_cookie =
            xcb_get_property(connection_, 0, window, net_wm_pid_, XCB_ATOM_CARDINAL, 0, 1);
        const auto name_cookie =
            xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 16);
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
        return owner == static_cast<std::uint32_t>(pid) && name == "Form1" &&
               attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    std::optional<xcb_window_t> search(xcb_window_t parent, pid_t pid, int depth) const {
        const ReplyPtr<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection_, xcb_query_tree(connection_, parent), nullptr));
        if (!tree)
            return std::nullopt;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        for (int i = count - 1; i >= 0; --i) {  // topmost first: a new window is likely there
            if (is_form(children[i], pid))
                return children[i];
            if (depth < 2) {
                if (const auto found = search(children[i], pid, depth + 1))
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
};

struct Run {
    double mapped_ms = 0;  // exec to the window viewable
    double text_ms = 0;    // exec to the text drawn in it
    double rss_mib = 0;    // VmRSS once idle
    double anon_mib = 0;   // RssAnon: the private part of it
};

double ms_between(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A field of /proc/PID/status in MiB ("VmRSS", "RssAnon").
double status_mib(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":"))
            return std::strtod(line.c_str() + field.size() + 1, nullptr) / 1024.0;
    }
    return 0;
}

std::optional<Run> measure(const Connection& display, const std::string& launcher,
                           const std::string& program, std::chrono::milliseconds settle) {
    std::vector<char*> argv;
    if (!launcher.empty())
        argv.push_back(const_cast<char*>(launcher.c_str()));
    argv.push_back(const_cast<char*>(program.c_str()));
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv.front(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "startup_probe: cannot start %s\n", program.c_str());
        return std::nullopt;
    }
    Run run;
    std::optional<xcb_window_t> form;
    while (!(form = display.find_form(pid))) {
        if (Clock::now() - start > give_up_after)
            break;
        std::this_thread::sleep_for(poll_interval);
    }
    if (form) {
        run.mapped_ms = ms_between(start, Clock::now());
        while (display.dark_pixels(*form) < dark_pixels_for_text &&
               Clock::now() - start < give_up_after) {
            std::this_thread::sleep_for(poll_interval);
        }
        run.text_ms = ms_between(start, Clock::now());
        std::this_thread::sleep_for(settle);
        run.rss_mib = status_mib(pid, "VmRSS");
        run.anon_mib = status_mib(pid, "RssAnon");
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!form || Clock::now() - start > give_up_after + settle) {
        std::fprintf(stderr, "startup_probe: %s showed no Form1 window with text\n",
                     program.c_str());
        return std::nullopt;
    }
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string launcher;
    if (arguments.size() > 3 && arguments[2] == "--via") {
        launcher = arguments[3];
        arguments.erase(arguments.begin() + 2, arguments.begin() + 4);
    }
    if (arguments.size() < 4) {
        std::fprintf(stderr,
                     "usage: startup_probe RUNS SETTLE_MS [--via LAUNCHER] PROGRAM... FLOOR\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(arguments[0].c_str()));
    const std::chrono::milliseconds settle(std::max(0, std::atoi(arguments[1].c_str())));
    const std::vector<std::string> programs(arguments.begin() + 2, arguments.end());
    const Connection display;

    // One unmeasured start each fills the file and font caches.
    for (const std::string& program : programs) {
        if (!measure(display, launcher, program, std::chrono::milliseconds(0)))
            return 1;
    }
    // Alternating spreads any drift in the machine's load over every program alike.
    std::vector<std::vector<Run>> results(programs.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const auto run = measure(display, launcher, programs[p], settle);
            if (!run)
                return 1;
            results[p].push_back(*run);
        }
    }

    const auto medians = [&](std::size_t p) {
        std::vector<double> mapped, text, rss, anon;
        for (const Run& run : results[p]) {
            mapped.push_back(run.mapped_ms);
            text.push_back(run.text_ms);
            rss.push_back(run.rss_mib);
            anon.push_back(run.anon_mib);
        }
        return Run{median(mapped), median(text), median(rss), median(anon)};
    };
    std::printf("Start-up from exec and idle memory after %lld ms, median of %d runs\n",
                static_cast<long long>(settle.count()), runs);
    std::printf("%-44s %10s %10s %10s %12s\n", "program", "mapped ms", "text ms", "VmRSS MiB",
                "RssAnon MiB");
    const Run floor = medians(programs.size() - 1);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const Run m = medians(p);
        std::printf("%-44s %10.1f %10.1f %10.1f %12.1f\n", programs[p].c_str(), m.mapped_ms,
                    m.text_ms, m.rss_mib, m.anon_mib);
    }
    for (std::size_t p = 0; p + 1 < programs.size(); ++p) {
        const Run m = medians(p);
        std::printf("%-44s %10.2f %10.2f %10.2f %12.2f   (target: at most 1.10)\n",
                    "ratio to the floor", m.mapped_ms / floor.mapped_ms, m.text_ms / floor.text_ms,
                    m.rss_mib / floor.rss_mib, m.anon_mib / floor.anon_mib);
    }
    return 0;
}
