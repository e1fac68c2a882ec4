// Process-wide Qt settings the program needs before and just after QApplication exists.
#pragma once

#include <QTranslator>
#include <memory>
#include <optional>
#include <string_view>

namespace platform::qt {

// What the environment offers for showing a window.
struct DisplayEnvironment {
    std::optional<std::string_view> qt_platform;  // QT_QPA_PLATFORM, when set
    bool x11 = false;                             // DISPLAY set
    bool wayland = false;                         // WAYLAND_DISPLAY set
};

struct DisplayChoice {
    bool has_display = false;
    // The Qt platform to ask for, when Qt's own choice would be the wrong one.
    std::optional<std::string_view> platform;
    // Whether the window can be kept above others there.
    bool can_stay_on_top = false;
};

// Stay-on-top needs X11, as Wayland lets no client keep itself above others: where an X server
// is reachable (XWayland) it is used, unless the user named a platform.
DisplayChoice choose_display(const DisplayEnvironment& environment);

// Reads the environment, asks Qt for the chosen platform, and tells what was chosen. Before
// QApplication.
DisplayChoice prepare_display();

// After QApplication: Qt's settings (the file dialog's history) never reach the disk.
void keep_settings_off_disk();

// After QApplication: Qt's own texts (edit menu, dialogs) in Japanese. The translator must
// live as long as the application; nothing when Qt's translations are not installed.
std::unique_ptr<QTranslator> install_japanese_translations();

}  // namespace platform::qt
