// Loading a system DLL by its full path on first use.
#include "platform/win32/system_library.h"

#include <new>

#include "core/host/host_error.h"
#include "text/win32/wide_strings.h"

namespace platform::win32 {
namespace {

std::wstring system_folder() {
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
        if (length == 0)
            return {};
        if (length < folder.size()) {
            folder.resize(length);
            return folder;
        }
        folder.resize(length);  // too small: length is the size needed
    }
}

}  // namespace

HMODULE SystemLibrary::module() noexcept {
    if (!library_) {
        // The full path keeps a same-named DLL in the current or the program's folder out.
        try {
            const std::wstring folder = system_folder();
            if (!folder.empty())
                library_.reset(LoadLibraryW((folder + L'\\' + file_name_).c_str()));
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    return library_.get();
}

void SystemLibrary::pin() noexcept {
    HMODULE pinned = nullptr;
    if (library_) {
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(library_.get()), &pinned);
    }
}

void SystemLibrary::throw_missing() const {
    throw host::HostError(u"システムの部品（" + text::u16_from_wstring(file_name_) +
                          u"）を読み込めませんでした。");
}

}  // namespace platform::win32
