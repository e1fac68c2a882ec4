// Form1's window services on Qt.
#include "host/qt/qt_window.h"

#include <QApplication>
#include <QWindow>
#include <algorithm>

#include "host/qt/form_widget.h"
#include "host/qt/qt_popup_menu.h"
#include "host/qt/qt_strings.h"
#include "host/twips.h"

namespace qt_host {

void QtWindow::set_caption(const std::u16string& caption) {
    form_.setWindowTitle(qstring_from_u16(caption));
}

float QtWindow::left() const {
    return host::twips_from_pixels(form_.frameGeometry().x(), twips_per_pixel_x());
}

float QtWindow::top() const {
    return host::twips_from_pixels(form_.frameGeometry().y(), twips_per_pixel_y());
}

float QtWindow::width() const {
    return host::twips_from_pixels(form_.frameGeometry().width(), twips_per_pixel_x());
}

float QtWindow::height() const {
    return host::twips_from_pixels(form_.frameGeometry().height(), twips_per_pixel_y());
}

float QtWindow::scale_width() const {
    return host::twips_from_pixels(form_.width(), twips_per_pixel_x());
}

float QtWindow::scale_height() const {
    return host::twips_from_pixels(form_.height(), twips_per_pixel_y());
}

host::NativeWindow QtWindow::native_handle() const {
    return static_cast<host::NativeWindow>(form_.winId());
}

std::optional<int> QtWindow::popup_menu(const host::PopupMenu& menu, float x, float y) {
    // QMenu's own placement puts its left edge at the point.
    const QPoint client(host::nearest_pixels_from_twips(x, twips_per_pixel_x()),
                        host::nearest_pixels_from_twips(y, twips_per_pixel_y()));
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

void QtWindow::set_window_pos(host::NativeWindow /*window*/, host::NativeWindow insert_after, int x,
                              int y, int cx, int cy, unsigned flags) {
    const QRect frame = form_.frameGeometry();
    const host::PlacementRequest request = host::placement_request(
        insert_after, {x, y, cx, cy}, flags, {frame.x(), frame.y(), frame.width(), frame.height()});
    if (request.band != host::ZBand::unchanged)
        set_stays_on_top(request.band == host::ZBand::topmost);
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
void QtWindow::move_frame_to(const host::PixelRect& frame) {
    const QRect current = form_.frameGeometry();
    form_.move(frame.x, frame.y);
    form_.resize(std::max(0, form_.width() + frame.cx - current.width()),
                 std::max(0, form_.height() + frame.cy - current.height()));
}

}  // namespace qt_host
