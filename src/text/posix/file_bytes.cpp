// Whole-file reads on POSIX: the descriptor is opened non-blocking and checked with fstat, so
// a FIFO, a device such as /dev/zero or an oversized file is refused before any read.
#include "text/platform_file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "text/file_errors.h"
#include "text/posix/native_path.h"
#include "text/read_to_end.h"
#include "text/utf.h"

namespace text {
namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const noexcept { return fd_; }

  private:
    int fd_;
};

std::u16string system_detail(int error) {
    return utf16_from_utf8(std::generic_category().message(error));
}

host::HostError open_error(int error, std::uint64_t limit) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return file_error(FileProblem::not_found);
        case EACCES:
        case EPERM:
            return file_error(FileProblem::no_permission);
        case EISDIR:
            return file_error(FileProblem::folder);
        case ELOOP:
            return file_error(FileProblem::symlink_loop);
        case ENAMETOOLONG:
            return file_error(FileProblem::path_too_long);
        case ENXIO:  // a socket, or a device with nothing behind it
        case ENODEV:
            return file_error(FileProblem::not_regular_file);
        case EMFILE:
        case ENFILE:
            return file_error(FileProblem::too_many_open_files);
        case ENOMEM:
            return file_error(FileProblem::out_of_memory);
        case EFBIG:
        case EOVERFLOW:
            return file_too_large_error(limit);
        default:
            return file_error(FileProblem::cannot_open, system_detail(error));
    }
}

host::HostError read_error(int error) {
    if (error == EISDIR)
        return file_error(FileProblem::folder);
    return file_error(FileProblem::cannot_read, system_detail(error));
}

// Reads up to `size` bytes at `into`, retrying after signals; 0 means end of file.
std::size_t read_some(int fd, char* into, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(fd, into, size);
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno != EINTR)
            throw read_error(errno);
    }
}

}  // namespace

std::string read_file_bytes(const std::u16string& path, std::uint64_t limit) {
    // A NUL would end the name early and open some other file.
    if (path.find(u'\0') != std::u16string::npos)
        throw file_error(FileProblem::invalid_name);
    const std::string native_path = native_from_path(path);

    // O_NONBLOCK: opening a FIFO must not wait for a writer. O_NOCTTY: nor may a terminal
    // become ours.
    const FileDescriptor file(
        ::open(native_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        throw open_error(errno, limit);

    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        throw read_error(errno);
    if (S_ISDIR(status.st_mode))
        throw file_error(FileProblem::folder);
    if (!S_ISREG(status.st_mode))
        throw file_error(FileProblem::not_regular_file);
    // Regular files never block; reads should behave the ordinary way all the same.
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        throw read_error(errno);
    }

    return read_to_end(
        [&](char* into, std::size_t count) { return read_some(file.get(), into, count); },
        static_cast<std::uint64_t>(std::max<off_t>(status.st_size, 0)), limit);
}

}  // namespace text
