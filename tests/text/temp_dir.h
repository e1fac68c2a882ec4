// A fresh directory for one test's files, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "core/host/host_error.h"

namespace text_test {

class TempDir {
  public:
    TempDir() {
        // Random names keep tests that ctest runs side by side apart.
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("ontop_host_test_" + std::to_string(random()) + "_" +
                            std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Creates (or replaces) the file `name` here holding `bytes`; returns its full path.
    std::filesystem::path write(const std::filesystem::path& name, std::string_view bytes) const {
        const std::filesystem::path file = path_ / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + file.string());
        return file;
    }

  private:
    std::filesystem::path path_;
};

// The message of the HostError that `action` throws, or a marker when it throws none.
template <class Action>
std::u16string error_message(Action&& action) {
    try {
        action();
    } catch (const host::HostError& error) {
        return error.message();
    }
    return u"(no error)";
}

}  // namespace text_test
