// Taking file drops before the text box sees them.
#include "platform/qt/file_drop.h"

#include <unistd.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>
#include <optional>

#include "platform/qt/qt_strings.h"
#include "text/posix/native_path.h"

namespace platform::qt {
namespace {

bool is_this_host(const QString& host) {
    if (host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    char name[256] = {};
    return ::gethostname(name, sizeof name - 1) == 0 &&
           host.compare(QString::fromUtf8(name), Qt::CaseInsensitive) == 0;
}

// Copy or link, whichever the source offers: a move would have the source delete its file
// once the drop is taken.
std::optional<Qt::DropAction> action_keeping_the_source(Qt::DropActions possible) {
    if (possible.testFlag(Qt::CopyAction))
        return Qt::CopyAction;
    if (possible.testFlag(Qt::LinkAction))
        return Qt::LinkAction;
    return std::nullopt;
}

}  // namespace

std::vector<host::GivenFile> given_files(const QList<QUrl>& urls) {
    std::vector<host::GivenFile> files;
    files.reserve(static_cast<std::size_t>(urls.size()));
    for (const QUrl& url : urls) {
        if (url.isLocalFile() && is_this_host(url.host())) {
            // The name's bytes as the address spells them: toLocalFile would lose those that
            // are not UTF-8.
            const QByteArray bytes =
                QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
            files.push_back({text::path_from_native(bytes.toStdString()), true});
        } else {
            files.push_back({u16_from_qstring(url.toDisplayString(QUrl::RemovePassword)), false});
        }
    }
    return files;
}

void FileDrop::watch(QWidget& widget) {
    widget.setAcceptDrops(true);
    widget.installEventFilter(this);
    for (QWidget* inside : widget.findChildren<QWidget*>())
        inside->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    // QDragEnterEvent and QDragMoveEvent are drop events too.
    auto& drop = static_cast<QDropEvent&>(*event);
    if (drop.mimeData() == nullptr || !drop.mimeData()->hasUrls())
        return false;  // text: the text box's own
    const std::optional<Qt::DropAction> action = action_keeping_the_source(drop.possibleActions());
    // A modal window of the program's keeps the menu's clicks from the window, and drops too.
    if (!action || QApplication::activeModalWidget() != nullptr) {
        drop.ignore();
        return true;
    }
    drop.setDropAction(*action);
    drop.accept();
    if (type == QEvent::Drop)
        dropped_(given_files(drop.mimeData()->urls()));
    return true;
}

}  // namespace platform::qt
