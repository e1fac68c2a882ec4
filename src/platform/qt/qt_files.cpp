// Files on Linux.
#include "platform/qt/qt_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/qt/qt_strings.h"

namespace platform::qt {

std::u16string QtFileSystem::preferred_start_folder() const {
    return u16_from_qstring(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

std::u16string QtFileSystem::fallback_start_folder() const {
    return u16_from_qstring(QDir::homePath());
}

bool QtFileSystem::is_folder(const std::u16string& path) const {
    return QFileInfo(qstring_from_u16(path)).isDir();
}

}  // namespace platform::qt
