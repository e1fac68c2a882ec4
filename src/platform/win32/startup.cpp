// The message loop.
#include "host/win32/startup.h"

#include "host/host_error.h"

namespace win32_host {

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
