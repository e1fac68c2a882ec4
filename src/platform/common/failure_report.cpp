// The wording of unexpected failures and the one-box-at-a-time rule.
#include "platform/common/failure_report.h"

#include <new>

#include "core/host/host_error.h"
#include "text/utf.h"

namespace platform::common {
namespace {

std::u16string failure_detail(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const host::HostError& error) {
        return error.message();
    } catch (const std::bad_alloc&) {
        return std::u16string(host::out_of_memory_text);
    } catch (const std::exception& error) {
        return text::utf16_from_utf8(error.what());
    } catch (...) {
        return u"原因不明のエラーです。";
    }
}

}  // namespace

std::u16string unexpected_failure_message(std::exception_ptr failure) {
    return std::u16string(unexpected_failure_fallback) + u"\n\n" +
           failure_detail(std::move(failure));
}

void FailureReporter::report(std::exception_ptr failure) noexcept {
    if (showing_)
        return;
    showing_ = true;
    try {
        const std::u16string message = unexpected_failure_message(std::move(failure));
        show_box_(message.c_str());
    } catch (...) {
        try {
            show_box_(unexpected_failure_fallback);
        } catch (...) {  // nothing more can be said
        }
    }
    showing_ = false;
}

}  // namespace platform::common
