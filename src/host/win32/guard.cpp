// Unexpected failures, worded for the user.
#include "host/win32/guard.h"

#include <new>
#include <string>

#include "host/host_error.h"
#include "host/utf.h"
#include "host/win32/wide_strings.h"

namespace win32_host {
namespace {

std::u16string failure_detail(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const host::HostError& error) {
        return error.message();
    } catch (const std::bad_alloc&) {
        return u"メモリが足りません。";
    } catch (const std::exception& error) {
        return host::utf16_from_utf8(error.what());
    } catch (...) {
        return u"原因不明のエラーです。";
    }
}

}  // namespace

void report_unexpected(HWND owner, std::exception_ptr failure) noexcept {
    try {
        const std::u16string message =
            u"予期しないエラーが発生しました。\n\n" + failure_detail(std::move(failure));
        MessageBoxW(IsWindow(owner) ? owner : nullptr, wide_c_str(message), L"エラー",
                    MB_OK | MB_ICONERROR);
    } catch (...) {
        // Not even the message could be built (no memory): the plainest box there is.
        MessageBoxW(nullptr, L"予期しないエラーが発生しました。", L"エラー", MB_OK | MB_ICONERROR);
    }
}

}  // namespace win32_host
