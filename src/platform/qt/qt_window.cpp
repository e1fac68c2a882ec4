// Form1's window services on Qt.
#include "platform/qt/qt_window.h"

#include <QApplication>
#include <QWindow>
#include <algorithm>

#include "platform/qt/form_widget.h"
#include "platform/qt/qt_popup_menu.h"
#include "platform/qt/qt_strings.h"

namespace platform::qt {

void QtWindow::set_caption(const std::u16string& caption) {
    form_.setWindowTitle(qstring_from_u16(caption));
}

common::PixelRect QtWindow::outer_pixels() const {
    const QRect frame = form_.frameGeometry();
    return {frame.x(), frame.y(), frame.width(), frame.height()};
}

common::PixelRect QtWindow::client_pixels() const {
    return {0, 0, form_.width(), form_.height()};
}

host::NativeWindow QtWindow::native_handle() const {
    return static_cast<host::NativeWindow>(form_.winId());
}

std::optional<int> QtWindow::show_popup_menu(const host::PopupMenu& menu,
                                             common::PixelPoint client) {
    // QMenu's own placement puts its left edge at the point.
    return exec_popup_menu(menu, form_.mapToGlobal(QPoint(client.x, client.y)), &form_);
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

float QtWindow::dots_per_inch_x() const {
    return form_.dots_per_inch_x();
}

float QtWindow::dots_per_inch_y() const {
    return form_.dots_per_inch_y();
}

void QtWindow::place(host::NativeWindow /*window*/, host::NativeWindow /*insert_after*/,
                     const common::PixelRect& /*requested*/, unsigned /*flags*/,
                     const common::PlacementRequest& request) {
    if (request.band != common::ZBand::unchanged)
        set_stays_on_top(request.band == common::ZBand::topmost);
    if (request.move_to)
        move_frame_to(*request.move_to);
    if (request.show)
        form_.show();
}

void QtWindow::set_stays_on_top(bool on_top) {
    // QWidget::setWindowFlags would hide and re-create a shown window; the native window's
    // flag changes the stacking state in place. The widget's copy is kept in step.
    form_.overrideWindowFlags(form_.windowFlags().setFlag(Qt::WindowStaysOnTopHint, on_top));
    if (QWindow* native = form_.windowHandle())
        native->setFlag(Qt::WindowStaysOnTopHint, on_top);
}

// Qt places a window by its frame's corner but sizes it by its client area.
void QtWindow::move_frame_to(const common::PixelRect& frame) {
    const QRect current = form_.frameGeometry();
    form_.move(frame.x, frame.y);
    form_.resize(std::max(0, form_.width() + frame.cx - current.width()),
                 std::max(0, form_.height() + frame.cy - current.height()));
}

}  // namespace platform::qt
