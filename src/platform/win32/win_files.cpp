// Files on Windows.
#include "platform/win32/win_files.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "text/win32/wide_strings.h"
#include "text/win32/windows_path.h"

namespace platform::win32 {
namespace {

// Memory the shell allocated for a returned string, freed with CoTaskMemFree.
class ShellString {
  public:
    ShellString() = default;
    ~ShellString() { CoTaskMemFree(text_); }
    ShellString(const ShellString&) = delete;
    ShellString& operator=(const ShellString&) = delete;

    PWSTR* out() noexcept { return &text_; }
    const wchar_t* get() const noexcept { return text_; }

  private:
    PWSTR text_ = nullptr;
};

}  // namespace

std::u16string WinFileSystem::preferred_start_folder() const {
    return u"C:\\My Documents";
}

std::u16string WinFileSystem::fallback_start_folder() const {
    return documents_folder(shell32_);
}

bool WinFileSystem::is_folder(const std::u16string& path) const {
    const DWORD attributes = GetFileAttributesW(text::wide_c_str(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::u16string WinFileSystem::absolute_path(const std::u16string& path) const {
    return text::u16_from_wstring(text::full_path_name(path));
}

std::u16string documents_folder(SystemLibrary& shell32) {
    const auto get_known_folder_path =
        shell32.find<decltype(&SHGetKnownFolderPath)>("SHGetKnownFolderPath");
    ShellString path;
    if (get_known_folder_path == nullptr ||
        FAILED(get_known_folder_path(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, path.out())) ||
        path.get() == nullptr) {
        return {};
    }
    return text::u16_from_wide_buffer(path.get());
}

}  // namespace platform::win32
