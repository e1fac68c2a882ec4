// Direct calls into Scintilla, its failures turned back into exceptions.
#include "platform/scintilla/scintilla_call.h"

#include <new>

#include "core/host/host_error.h"

namespace platform::scintilla {

ScintillaCall::ScintillaCall(SciFnDirectStatus function, sptr_t pointer)
    : function_(function), pointer_(pointer) {
    if (function_ == nullptr || pointer_ == 0)
        throw host::HostError(u"テキストボックスを準備できませんでした。");
}

sptr_t ScintillaCall::operator()(unsigned int message, uptr_t wparam, sptr_t lparam) const {
    // Scintilla keeps a failure until told otherwise, whichever way the message came that
    // failed (a key press through the window, say): cleared first, so that only this call's
    // failure is thrown from it. A call made from inside another (a notification's handler
    // styling text during a paste) puts the status back as it found it when it succeeds, so
    // the outer call still sees its own failure.
    int status = SC_STATUS_OK;
    const auto before = static_cast<int>(function_(pointer_, SCI_GETSTATUS, 0, 0, &status));
    if (before != SC_STATUS_OK)
        function_(pointer_, SCI_SETSTATUS, SC_STATUS_OK, 0, &status);
    status = SC_STATUS_OK;
    const sptr_t result = function_(pointer_, message, wparam, lparam, &status);
    if (status == SC_STATUS_OK || status >= SC_STATUS_WARN_START) {
        if (before != SC_STATUS_OK)
            function_(pointer_, SCI_SETSTATUS, static_cast<uptr_t>(before), 0, &status);
        return result;
    }
    const int failure = status;
    function_(pointer_, SCI_SETSTATUS, SC_STATUS_OK, 0, &status);
    if (failure == SC_STATUS_BADALLOC)
        throw std::bad_alloc();
    throw host::HostError(u"テキストボックスの処理に失敗しました。");
}

}  // namespace platform::scintilla
