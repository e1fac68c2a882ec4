// The common dialogs on Qt.
#include "platform/qt/qt_dialogs.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <algorithm>

#include "platform/common/failure_report.h"
#include "platform/qt/qt_filter.h"
#include "platform/qt/qt_strings.h"

namespace platform::qt {
namespace {

// QFontDialog always offers underline and strikeout; the program neither offers nor changes
// them, so their group is hidden, and the sample beside it keeps the height it had.
void hide_effects(QFontDialog& dialog) {
    int effects_height = 0;
    QList<QGroupBox*> others;
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        if (group->findChildren<QCheckBox*>().isEmpty()) {
            others << group;
        } else {
            effects_height = std::max(effects_height, group->sizeHint().height());
            group->hide();
        }
    }
    for (QGroupBox* group : others) {
        group->setMinimumHeight(std::max(group->minimumHeight(), effects_height));
    }
}

}  // namespace

std::optional<std::u16string> QtDialogs::show_open(const host::OpenFileRequest& request) {
    QFileDialog dialog(&parent_);
    dialog.setObjectName(QStringLiteral("open_dialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((request.flags & host::ofn_filemustexist) ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile);
    // The labels already name their patterns; Qt's own " (…)" would repeat them.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(name_filters_from_filter(qstring_from_u16(request.filter)));
    dialog.setDirectory(qstring_from_u16(request.init_dir));
    if (!request.file_name.empty())
        dialog.selectFile(qstring_from_u16(request.file_name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return u16_from_qstring(dialog.selectedFiles().constFirst());
}

std::optional<host::FontChoice> QtDialogs::show_font(const host::FontChoice& initial,
                                                     int /*flags*/) {
    // Screen fonts are all Qt lists; the flags ask for nothing more.
    QFont font(qstring_from_u16(initial.name));
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    if (initial.size > 0)
        font.setPointSizeF(initial.size);
    QFontDialog dialog(font, &parent_);
    dialog.setObjectName(QStringLiteral("font_dialog"));
    hide_effects(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    return host::FontChoice{u16_from_qstring(chosen.family()), chosen.bold(), chosen.italic(),
                            static_cast<float>(chosen.pointSizeF())};
}

void QtDialogs::show_error(const std::u16string& message) {
    QMessageBox box(QMessageBox::Warning, qstring_from_u16(common::error_title),
                    qstring_from_u16(message), QMessageBox::Ok, &parent_);
    box.setObjectName(QStringLiteral("error_box"));
    box.exec();
}

}  // namespace platform::qt
