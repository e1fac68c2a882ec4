// Everything the core reaches outside itself, bundled for handing to the main window. This folder
// holds that interface alone and includes nothing else of the program; the platform layers
// implement it (src/platform/), over the text reader (src/text/).
#pragma once

#include "core/host/dialogs.h"
#include "core/host/files.h"
#include "core/host/screen_metrics.h"
#include "core/host/text_box.h"
#include "core/host/window.h"
#include "core/host/window_placement.h"

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
