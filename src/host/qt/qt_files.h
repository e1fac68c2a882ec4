// host::FileSystem on Linux: the shared text file reader and POSIX path conventions.
#pragma once

#include "host/files.h"

namespace qt_host {

class QtFileSystem final : public host::FileSystem {
  public:
    std::unique_ptr<host::LineReader> open_text(const std::u16string& path) override;
    char16_t path_separator() const override { return u'/'; }
    // The user's documents folder, or home where there is none.
    std::u16string default_folder() const override;
};

}  // namespace qt_host
