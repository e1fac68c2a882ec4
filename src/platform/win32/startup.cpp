// The message loop.
#include "platform/win32/startup.h"

#include "core/host/host_error.h"

namespace platform::win32 {

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

}  // namespace platform::win32
