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
    // Both take a name as the system gives it, bytes and all (text/posix/native_path.h).
    bool is_folder(const std::u16string& path) const override;
    // Joined to the current folder, "." and empty parts left out; ".." is kept, as a symbolic
    // link in the path may make it mean something else than the folder above.
    std::u16string absolute_path(const std::u16string& path) const override;
};

}  // namespace platform::qt
