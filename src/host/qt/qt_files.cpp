// Files on Linux.
#include "host/qt/qt_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "host/qt/qt_strings.h"
#include "host/text_file_reader.h"

namespace qt_host {

std::unique_ptr<host::LineReader> QtFileSystem::open_text(const std::u16string& path) {
    return std::make_unique<host::TextFileReader>(path);
}

std::u16string QtFileSystem::default_folder() const {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return u16_from_qstring(documents);
    return u16_from_qstring(QDir::homePath());
}

}  // namespace qt_host
