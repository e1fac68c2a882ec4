// Owning wrappers for the handles the Win32 layer creates (fonts, menus, libraries, COM objects,
// a borrowed screen DC), on the reader's template: each is released exactly once.
#pragma once

#include <windows.h>

#include <utility>

#include "text/win32/unique_handle.h"

namespace platform::win32 {

using text::UniqueFile;
using text::UniqueHandle;
using text::UniqueLocalMemory;

struct FontTraits {
    using Handle = HFONT;
    static Handle empty() noexcept { return nullptr; }
    static void release(Handle font) noexcept { DeleteObject(font); }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle empty() noexcept { return nullptr; }
    static void release(Handle menu) noexcept { DestroyMenu(menu); }
};

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle empty() noexcept { return nullptr; }
    static void release(Handle library) noexcept { FreeLibrary(library); }
};

using UniqueFont = UniqueHandle<FontTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;

// A COM interface pointer holding one reference, released when it goes.
template <class Interface>
class UniqueCom {
  public:
    UniqueCom() noexcept = default;
    // Takes over a reference the caller owns.
    explicit UniqueCom(Interface* pointer) noexcept : pointer_(pointer) {}
    ~UniqueCom() { reset(); }
    UniqueCom(UniqueCom&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    UniqueCom& operator=(UniqueCom&& other) noexcept {
        reset(std::exchange(other.pointer_, nullptr));
        return *this;
    }
    UniqueCom(const UniqueCom&) = delete;
    UniqueCom& operator=(const UniqueCom&) = delete;

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    // For a function that hands out a new reference through its last argument.
    void** out() noexcept {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    void reset(Interface* pointer = nullptr) noexcept {
        if (Interface* const old = std::exchange(pointer_, pointer))
            old->Release();
    }

  private:
    Interface* pointer_ = nullptr;
};

// A screen DC borrowed with GetDC, returned with ReleaseDC.
class ScreenDC {
  public:
    ScreenDC() noexcept : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_ != nullptr)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;

    HDC get() const noexcept { return dc_; }

  private:
    HDC dc_;
};

}  // namespace platform::win32
