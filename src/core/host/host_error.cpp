// Failures of host operations.
#include "host/host_error.h"

#include "host/text/utf.h"

namespace host {

HostError::HostError(std::u16string message)
    : std::runtime_error(utf8_from_utf16(message)), message_(std::move(message)) {}

DialogCancelled::DialogCancelled() : HostError(u"キャンセルされました。") {}

}  // namespace host
