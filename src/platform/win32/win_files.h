// host::FileSystem on Windows: the shared text file reader and Windows path conventions.
#pragma once

#include "platform/win32/system_library.h"
#include "text/text_file_reader.h"

namespace platform::win32 {

class WinFileSystem final : public text::TextFileSystem {
  public:
    char16_t path_separator() const override { return u'\\'; }
    // "C:\My Documents", then the user's Documents folder.
    std::u16string preferred_start_folder() const override;
    std::u16string fallback_start_folder() const override;
    bool is_folder(const std::u16string& path) const override;
    // As the system resolves it: ".." and "." taken out, a drive's own current folder for "D:x".
    std::u16string absolute_path(const std::u16string& path) const override;

  private:
    // Loaded only when the open command first needs the Documents folder.
    mutable SystemLibrary shell32_{L"shell32.dll"};
};

// The user's Documents folder, empty when the system cannot tell.
std::u16string documents_folder(SystemLibrary& shell32);

}  // namespace platform::win32
