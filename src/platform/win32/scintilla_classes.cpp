// Registering Scintilla, linked in statically, with the program's instance.
#include "platform/win32/scintilla_classes.h"

#include "core/host/host_error.h"

extern "C" int Scintilla_RegisterClasses(void* instance);
extern "C" int Scintilla_ReleaseResources();

namespace platform::win32 {

scintilla::ScintillaCall window_call(HWND window) {
    return scintilla::ScintillaCall(
        reinterpret_cast<SciFnDirectStatus>(
            SendMessageW(window, SCI_GETDIRECTSTATUSFUNCTION, 0, 0)),
        static_cast<sptr_t>(SendMessageW(window, SCI_GETDIRECTPOINTER, 0, 0)));
}

ScintillaClasses::ScintillaClasses(HINSTANCE instance) {
    if (Scintilla_RegisterClasses(instance) == 0)
        throw host::HostError(u"テキストボックスの部品を登録できませんでした。");
}

ScintillaClasses::~ScintillaClasses() {
    Scintilla_ReleaseResources();
}

}  // namespace platform::win32
