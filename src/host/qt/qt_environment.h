// Process-wide Qt settings the program needs before and just after QApplication exists.
#pragma once

#include <QTranslator>
#include <memory>

namespace qt_host {

// Before QApplication: stay-on-top needs X11, as Wayland lets no client keep itself above
// others; where an X server is reachable (XWayland), use it. False when no display at all.
bool prepare_display();

// After QApplication: Qt's settings (the file dialog's history) never reach the disk.
void keep_settings_off_disk();

// After QApplication: Qt's own texts (edit menu, dialogs) in Japanese. The translator must
// live as long as the application; nothing when Qt's translations are not installed.
std::unique_ptr<QTranslator> install_japanese_translations();

}  // namespace qt_host
