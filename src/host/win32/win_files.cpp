// Files on Windows.
#include "host/win32/win_files.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "host/text_file_reader.h"
#include "host/win32/wide_strings.h"

namespace win32_host {
namespace {

constexpr wchar_t classic_documents_folder[] = L"C:\\My Documents";

bool is_folder(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

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

std::unique_ptr<host::LineReader> WinFileSystem::open_text(const std::u16string& path) {
    return std::make_unique<host::TextFileReader>(path);
}

std::u16string WinFileSystem::default_folder() const {
    if (is_folder(classic_documents_folder))
        return u16_from_wide_buffer(classic_documents_folder);
    return documents_folder(shell32_);
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
    return u16_from_wide_buffer(path.get());
}

}  // namespace win32_host
