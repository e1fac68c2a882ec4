// A system DLL loaded on first use rather than at start-up: the common dialogs and the shell
// pull in printing, networking and crypto libraries that an idle viewer has no need for.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/unique_handles.h"

namespace platform::win32 {

// The named export of a loaded module, typed; null when either is missing.
template <class Function>
Function exported_function(HMODULE module, const char* name) noexcept {
    const FARPROC address = module != nullptr ? GetProcAddress(module, name) : nullptr;
    // Through void(*)(), the one function pointer type every other converts to unwarned.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

class SystemLibrary {
  public:
    // `file_name` is looked for in the system folder only, never beside the program.
    explicit SystemLibrary(std::wstring file_name) : file_name_(std::move(file_name)) {}

    // The named export, loading the DLL if this is the first call; null when the DLL or the
    // function is missing.
    template <class Function>
    Function find(const char* name) noexcept {
        return exported_function<Function>(module(), name);
    }

    // As find, but a missing part throws HostError with a Japanese message naming the DLL.
    template <class Function>
    Function function(const char* name) {
        const Function found = find<Function>(name);
        if (found == nullptr)
            throw_missing();
        return found;
    }

    bool is_loaded() const noexcept { return static_cast<bool>(library_); }

    // Keeps the DLL, once loaded, until the process ends, whatever frees it: for one whose
    // objects others may hold longer than this object lives.
    void pin() noexcept;

  private:
    // The DLL, loaded now if it was not yet; null when it cannot be.
    HMODULE module() noexcept;
    [[noreturn]] void throw_missing() const;

    std::wstring file_name_;
    UniqueLibrary library_;
};

}  // namespace platform::win32
