// Whole-file reads on Windows: the handle is checked to be a file on disk, not a folder, device
// or pipe, and its size against the limit, before anything is read.
#include <windows.h>

#include <algorithm>
#include <string_view>

#include "text/file_errors.h"
#include "text/platform_file_bytes.h"
#include "text/read_to_end.h"
#include "text/win32/unique_handle.h"
#include "text/win32/wide_strings.h"
#include "text/win32/windows_path.h"

namespace text {
namespace {

// ReadFile takes a 32-bit count; large files are read in pieces of this size.
constexpr DWORD read_piece = 16 * 1024 * 1024;

// The system's own wording for an error, without its trailing line break.
std::u16string system_detail(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    // Freed however the copy below ends.
    const UniqueLocalMemory buffer(text);
    std::u16string detail;
    if (length > 0 && text != nullptr)
        detail = u16_from_wstring(std::wstring_view(text, length));
    while (!detail.empty() && (detail.back() == u'\r' || detail.back() == u'\n' ||
                               detail.back() == u' ' || detail.back() == u'.')) {
        detail.pop_back();
    }
    if (detail.empty())
        detail = u"エラー " + u16_from_wstring(std::to_wstring(error));
    return detail;
}

bool is_folder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

host::HostError open_error(DWORD error, const std::wstring& path, std::uint64_t limit) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_INVALID_DRIVE:
            return file_error(FileProblem::not_found);
        case ERROR_ACCESS_DENIED:
            // Opening a folder as a file is refused the same way as a missing permission.
            if (is_folder(path))
                return file_error(FileProblem::folder);
            return file_error(FileProblem::no_permission);
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return file_error(FileProblem::invalid_name);
        case ERROR_FILENAME_EXCED_RANGE:
            return file_error(FileProblem::path_too_long);
        case ERROR_CANT_RESOLVE_FILENAME:
            return file_error(FileProblem::symlink_loop);
        case ERROR_TOO_MANY_OPEN_FILES:
            return file_error(FileProblem::too_many_open_files);
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return file_error(FileProblem::out_of_memory);
        case ERROR_FILE_TOO_LARGE:
            return file_too_large_error(limit);
        default:
            return file_error(FileProblem::cannot_open, system_detail(error));
    }
}

host::HostError read_error(DWORD error) {
    if (error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY) {
        return file_error(FileProblem::out_of_memory);
    }
    return file_error(FileProblem::cannot_read, system_detail(error));
}

// Reads up to `size` bytes at `into`; 0 means end of file.
std::size_t read_some(HANDLE file, char* into, std::size_t size) {
    DWORD count = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, read_piece));
    if (!ReadFile(file, into, wanted, &count, nullptr))
        throw read_error(GetLastError());
    return count;
}

}  // namespace

std::string read_file_bytes(const std::u16string& path, std::uint64_t limit) {
    // A NUL would end the name early and open some other file.
    if (path.find(u'\0') != std::u16string::npos)
        throw file_error(FileProblem::invalid_name);
    const std::wstring native_path = extended_length_path(path);

    // Others may go on writing, renaming or deleting the file: a viewer must not lock it.
    const UniqueFile file(CreateFileW(
        native_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        throw open_error(GetLastError(), native_path, limit);

    // Consoles, printers, serial ports and pipes are not files on disk, and reading one could
    // wait forever.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        throw file_error(FileProblem::not_regular_file);
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information)) {
        throw file_error(FileProblem::not_regular_file);
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw file_error(FileProblem::folder);
    }
    const std::uint64_t size =
        (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
    return read_to_end(
        [&](char* into, std::size_t count) { return read_some(file.get(), into, count); }, size,
        limit);
}

}  // namespace text
