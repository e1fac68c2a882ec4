// Owning wrappers for Windows handles, each released exactly once: the template, and the handles
// the reader itself holds (files, and memory the system allocated for it).
#pragma once

#include <windows.h>

#include <utility>

namespace text {

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

using UniqueFile = UniqueHandle<FileTraits>;
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;

}  // namespace text
