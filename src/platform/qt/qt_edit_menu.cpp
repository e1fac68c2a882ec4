// The edit menu as a QMenu, and the clipboard's text as the box holds it.
#include "platform/qt/qt_edit_menu.h"

#include <QAction>
#include <QMenu>

#include "platform/qt/qt_strings.h"
#include "text/utf.h"

namespace platform::qt {

std::optional<scintilla::EditCommand> exec_edit_menu(
    const std::vector<scintilla::EditMenuItem>& items, const QPoint& global_point,
    QWidget& parent) {
    QMenu menu(&parent);
    menu.setObjectName(QStringLiteral("edit_menu"));
    for (const scintilla::EditMenuItem& item : items) {
        if (!item.command) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(qstring_from_u16(item.caption));
        action->setEnabled(item.enabled);
        action->setData(static_cast<unsigned int>(*item.command));
    }
    const QAction* chosen = menu.exec(global_point);
    if (chosen == nullptr)
        return std::nullopt;
    return static_cast<scintilla::EditCommand>(chosen->data().toUInt());
}

// QString::replace moves the rest of the text for every thousand matches: a copy of 100 MiB of
// lines took it 14 s.
void copy_with_lf_breaks(QString& text) {
    QChar* const units = text.data();
    const qsizetype size = text.size();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (units[i] == u'\r' && i + 1 < size && units[i + 1] == u'\n')
            continue;
        units[kept++] = units[i];
    }
    text.truncate(kept);
}

std::string pasted_bytes(QStringView text) {
    const std::u16string_view units = u16_view(text);
    std::string bytes;
    bytes.reserve(text::utf8_size(units));
    std::size_t run = 0;  // the start of units copied as they are
    const auto flush = [&](std::size_t end) {
        bytes += text::utf8_from_utf16(units.substr(run, end - run));
    };
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit != u'\r' && unit != u'\n' && unit != u'\0')
            continue;
        flush(i);
        if (unit == u'\0') {
            bytes += "\xE2\x90\x80";  // ␀
        } else {
            bytes += "\r\n";
            if (unit == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n')
                ++i;
        }
        run = i + 1;
    }
    flush(units.size());
    return bytes;
}

}  // namespace platform::qt
