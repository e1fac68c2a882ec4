// The messages shown when a file cannot be read, worded alike on every platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/host/host_error.h"

namespace text {

enum class FileProblem {
    not_found,
    no_permission,
    folder,
    not_regular_file,
    symlink_loop,
    path_too_long,
    invalid_name,
    too_many_open_files,
    out_of_memory,
    cannot_open,
    cannot_read,
};

// `detail` (the system's own words, say) is appended in brackets when not empty.
host::HostError file_error(FileProblem problem, std::u16string_view detail = {});

host::HostError file_too_large_error(std::uint64_t limit);

// "256 MiB", "64 KiB" or "1000 バイト": the largest binary unit that divides the size exactly.
std::u16string byte_size_text(std::uint64_t bytes);

// "上限 256 MiB": a size limit as every message that names one puts it.
std::u16string limit_text(std::uint64_t bytes);

}  // namespace text
