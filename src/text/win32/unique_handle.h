// Owning wrappers for the Windows handles the program creates: each is released exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace win32_host {

// Traits name the handle type, its empty value and how it is released.
template <class Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::empty(); }

    Handle release() noexcept { return std::exchange(handle_, Traits::empty()); }
    void reset(Handle handle = Traits::empty()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::empty())
            Traits::release(old);
    }

  private:
    Handle handle_ = Traits::empty();
};

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

// CreateFileW reports failure as INVALID_HANDLE_VALUE, not as a null handle.
struct FileTraits {
    using Handle = HANDLE;
    static Handle empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void release(Handle file) noexcept { CloseHandle(file); }
};

// Memory the system allocated for the caller, such as FormatMessageW's buffer.
struct LocalMemoryTraits {
    using Handle = HLOCAL;
    static Handle empty() noexcept { return nullptr; }
    static void release(Handle memory) noexcept { LocalFree(memory); }
};

using UniqueFont = UniqueHandle<FontTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;

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

}  // namespace win32_host
