// host::FileSystem on Windows: the shared text file reader and Windows path conventions.
#pragma once

#include "host/files.h"

namespace win32_host {

class WinFileSystem final : public host::FileSystem {
  public:
    std::unique_ptr<host::LineReader> open_text(const std::u16string& path) override;
    char16_t path_separator() const override { return u'\\'; }
    // "C:\My Documents" where that folder exists, else the user's Documents folder.
    std::u16string default_folder() const override;
};

// The user's Documents folder, empty when the system cannot tell.
std::u16string documents_folder();

}  // namespace win32_host
