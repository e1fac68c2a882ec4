// Reading a dropped HDROP.
#include "platform/win32/dropped_files.h"

#include <string>

#include "text/win32/wide_strings.h"

namespace platform::win32 {
namespace {

// Frees the drop's memory, as its receiver must.
class DropReleaser {
  public:
    DropReleaser(decltype(&DragFinish) drag_finish, HDROP drop) noexcept
        : drag_finish_(drag_finish), drop_(drop) {}
    ~DropReleaser() { drag_finish_(drop_); }
    DropReleaser(const DropReleaser&) = delete;
    DropReleaser& operator=(const DropReleaser&) = delete;

  private:
    decltype(&DragFinish) drag_finish_;
    HDROP drop_;
};

constexpr UINT count_of_files = 0xFFFFFFFF;

}  // namespace

std::vector<host::GivenFile> take_dropped_files(SystemLibrary& shell32, HDROP drop) {
    const DropReleaser released(shell32.function<decltype(&DragFinish)>("DragFinish"), drop);
    const auto query = shell32.function<decltype(&DragQueryFileW)>("DragQueryFileW");
    const UINT count = query(drop, count_of_files, nullptr, 0);
    std::vector<host::GivenFile> files;
    files.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(query(drop, i, nullptr, 0) + std::size_t{1}, L'\0');
        name.resize(query(drop, i, name.data(), static_cast<UINT>(name.size())));
        files.push_back({text::u16_from_wstring(name), true});
    }
    return files;
}

}  // namespace platform::win32
