// Form1's window services on Qt.
#include "host/qt/qt_window.h"

#include <QApplication>
#include <QWindow>

#include "host/qt/form_widget.h"
#include "host/qt/qt_popup_menu.h"
#include "host/qt/qt_strings.h"

namespace qt_host {

void QtWindow::set_caption(const std::u16string& caption) {
    form_.setWindowTitle(qstring_from_u16(caption));
}

float QtWindow::left() const {
    return twips_from_pixels(form_.frameGeometry().x(), twips_per_pixel_x());
}

float QtWindow::top() const {
    return twips_from_pixels(form_.frameGeometry().y(), twips_per_pixel_y());
}

float QtWindow::width() const {
    return twips_from_pixels(form_.frameGeometry().width(), twips_per_pixel_x());
}

float QtWindow::height() const {
    return twips_from_pixels(form_.frameGeometry().height(), twips_per_pixel_y());
}

float QtWindow::scale_width() const {
    return twips_from_pixels(form_.width(), twips_per_pixel_x());
}

float QtWindow::scale_height() const {
    return twips_from_pixels(form_.height(), twips_per_pixel_y());
}

host::NativeWindow QtWindow::native_handle() const {
    return static_cast<host::NativeWindow>(form_.winId());
}

std::optional<int> QtWindow::popup_menu(const host::PopupMenu& menu, int /*flags*/, float x,
                                        float y) {
    // Flags 0, the only value the program uses, is QMenu's own placement: left edge at x.
    const QPoint client(pixels_from_twips(x, twips_per_pixel_x()),
                        pixels_from_twips(y, twips_per_pixel_y()));
    return exec_popup_menu(menu, form_.mapToGlobal(client), &form_);
}

void QtWindow::set_busy_cursor(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtWindow::unload() {
    form_.hide();
}

void QtWindow::end() {
    QCoreApplication::exit(0);
}

float QtWindow::twips_per_pixel_x() const {
    return form_.twips_per_pixel_x();
}

float QtWindow::twips_per_pixel_y() const {
    return form_.twips_per_pixel_y();
}

void QtWindow::set_window_pos(host::NativeWindow /*window*/, host::NativeWindow insert_after,
                              int /*x*/, int /*y*/, int /*cx*/, int /*cy*/, unsigned flags) {
    if (insert_after == host::hwnd_topmost || insert_after == host::hwnd_notopmost) {
        const bool on_top = insert_after == host::hwnd_topmost;
        // QWidget::setWindowFlags would hide and re-create a shown window; the native window's
        // flag changes the stacking state in place. The widget's copy is kept in step.
        form_.overrideWindowFlags(form_.windowFlags().setFlag(Qt::WindowStaysOnTopHint, on_top));
        if (QWindow* native = form_.windowHandle()) {
            native->setFlag(Qt::WindowStaysOnTopHint, on_top);
        }
    }
    if (flags & host::swp_showwindow)
        form_.show();
}

}  // namespace qt_host
