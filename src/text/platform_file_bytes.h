// The whole-file read the reader takes from the platform, refusing anything a text viewer must not
// try to read: declared here, defined once for each platform in text/posix/ and text/win32/.
#pragma once

#include <cstdint>
#include <string>

namespace text {

// The bytes of the regular file at `path`. Throws HostError, with the reason for the user,
// for a missing or unreadable file, a folder, a device, FIFO or socket (never read from), and
// a file larger than `limit` bytes, whether found before reading or while it grows.
std::string read_file_bytes(const std::u16string& path, std::uint64_t limit);

}  // namespace text
