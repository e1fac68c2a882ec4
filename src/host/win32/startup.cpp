// Common controls, the rich edit library and the message loop.
#include "host/win32/startup.h"

#include <commctrl.h>

#include "host/host_error.h"

namespace win32_host {

void initialize_common_controls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    if (!InitCommonControlsEx(&controls)) {
        throw host::HostError(u"コモンコントロールを初期化できませんでした。");
    }
}

UniqueLibrary load_rich_edit() {
    UniqueLibrary library(LoadLibraryW(L"Msftedit.dll"));
    if (!library) {
        throw host::HostError(
            u"リッチエディットコントロール（Msftedit.dll）を読み込めませんでした。");
    }
    return library;
}

int run_message_loop() {
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0)
            return static_cast<int>(message.wParam);
        if (result == -1)
            throw host::HostError(u"メッセージを受け取れませんでした。");
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace win32_host
