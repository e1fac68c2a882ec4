// Everything the core reaches outside itself, bundled for handing to the main window. This folder
// holds that interface alone; what the platform layers share beneath it is in shared/, the text
// reader in text/.
#pragma once

#include "host/dialogs.h"
#include "host/files.h"
#include "host/screen_metrics.h"
#include "host/text_box.h"
#include "host/window.h"
#include "host/window_placement.h"

namespace host {

struct Host {
    Window& window;
    ScreenMetrics& screen;
    TextBox& text_box;
    Dialogs& dialogs;
    FileSystem& files;
    WindowPlacement& placement;
};

}  // namespace host
