// Files on Linux.
#include "platform/qt/qt_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <system_error>

#include "core/host/host_error.h"
#include "platform/qt/qt_strings.h"
#include "text/posix/native_path.h"
#include "text/utf.h"

namespace platform::qt {
namespace {

std::string current_folder() {
    std::string folder(256, '\0');
    while (::getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE) {
            throw host::HostError(u"現在のフォルダーがわかりません（" +
                                  text::utf16_from_utf8(std::generic_category().message(errno)) +
                                  u"）。");
        }
        folder.resize(folder.size() * 2);
    }
    folder.resize(folder.find('\0'));
    return folder;
}

}  // namespace

std::u16string QtFileSystem::preferred_start_folder() const {
    return u16_from_qstring(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

std::u16string QtFileSystem::fallback_start_folder() const {
    return u16_from_qstring(QDir::homePath());
}

bool QtFileSystem::is_folder(const std::u16string& path) const {
    struct stat status {};
    return ::stat(text::native_from_path(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::u16string QtFileSystem::absolute_path(const std::u16string& path) const {
    if (path.starts_with(u'/'))
        return path;
    std::u16string full = text::path_from_native(current_folder());
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(u'/', start), path.size());
        const std::u16string_view part = std::u16string_view(path).substr(start, end - start);
        if (!part.empty() && part != u".") {
            if (!full.ends_with(u'/'))
                full += u'/';
            full += part;
        }
        start = end + 1;
    }
    return full;
}

}  // namespace platform::qt
