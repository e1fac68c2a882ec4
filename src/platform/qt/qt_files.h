// host::FileSystem on Linux: the shared text file reader and POSIX path conventions.
#pragma once

#include "text/text_file_reader.h"

namespace platform::qt {

class QtFileSystem final : public text::TextFileSystem {
  public:
    char16_t path_separator() const override { return u'/'; }
    // The user's documents folder, then home.
    std::u16string preferred_start_folder() const override;
    std::u16string fallback_start_folder() const override;
    bool is_folder(const std::u16string& path) const override;
};

}  // namespace platform::qt
