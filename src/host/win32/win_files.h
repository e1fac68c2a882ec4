// host::FileSystem on Windows: the shared text file reader and Windows path conventions.
#pragma once

#include "host/files.h"
#include "host/win32/system_library.h"

namespace win32_host {

class WinFileSystem final : public host::FileSystem {
  public:
    std::unique_ptr<host::LineReader> open_text(const std::u16string& path) override;
    char16_t path_separator() const override { return u'\\'; }
    // "C:\My Documents" where that folder exists, else the user's Documents folder.
    std::u16string default_folder() const override;

  private:
    // Loaded only when the open command first needs the Documents folder.
    mutable SystemLibrary shell32_{L"shell32.dll"};
};

// The user's Documents folder, empty when the system cannot tell.
std::u16string documents_folder(SystemLibrary& shell32);

}  // namespace win32_host
