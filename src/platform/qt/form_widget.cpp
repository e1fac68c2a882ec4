// Form1's widgets and the translation of their events into the core's.
#include "platform/qt/form_widget.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScreen>

#include "core/geometry/twips.h"
#include "core/window/form1_design.h"
#include "platform/qt/qt_guard.h"
#include "platform/qt/qt_strings.h"

namespace platform::qt {
namespace {

int vb_button(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return host::button_left;
        case Qt::RightButton:
            return host::button_right;
        case Qt::MiddleButton:
            return host::button_middle;
        default:
            return 0;
    }
}

int vb_shift(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= host::shift_mask;
    if (modifiers & Qt::ControlModifier)
        shift |= host::ctrl_mask;
    if (modifiers & Qt::AltModifier)
        shift |= host::alt_mask;
    return shift;
}

}  // namespace

FormWidget::FormWidget()
    : failures_(failure_box(this)),
      text1_(new Text1Box(*this, failures_)),
      file_drop_([this](std::vector<host::GivenFile> files) { files_dropped(std::move(files)); }) {
    setWindowTitle(qstring_from_u16(window::form1_initial_caption));
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setAccessibleName(qstring_from_u16(window::text1_accessible_name));
    text1_->setAccessibleDescription(qstring_from_u16(window::text1_accessible_description));
    text1_->setGeometry(
        0, 0,
        geometry::nearest_pixels_from_twips(window::text1_design_width_twips, twips_per_pixel_x()),
        geometry::nearest_pixels_from_twips(window::text1_design_height_twips,
                                            twips_per_pixel_y()));
    text1_->viewport()->installEventFilter(this);
    // Files dropped anywhere: on the form and on the text box, whichever widget that is, with
    // the viewport inside it where drops land.
    file_drop_.watch(*this);
    setFocusProxy(text1_);
    text1_->setFocus();
}

float FormWidget::dots_per_inch_x() const {
    return static_cast<float>(screen()->logicalDotsPerInchX());
}

float FormWidget::dots_per_inch_y() const {
    return static_cast<float>(screen()->logicalDotsPerInchY());
}

float FormWidget::twips_per_pixel_x() const {
    return geometry::twips_per_pixel(dots_per_inch_x());
}

float FormWidget::twips_per_pixel_y() const {
    return geometry::twips_per_pixel(dots_per_inch_y());
}

void FormWidget::files_dropped(std::vector<host::GivenFile> files) {
    // After the drop has returned: the source waits for it, and the open may show a message.
    QMetaObject::invokeMethod(
        this,
        [this, files = std::move(files)] {
            if (events_ != nullptr)
                failures_.guarded([&] { events_->on_files_given(files); });
        },
        Qt::QueuedConnection);
}

void FormWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (events_ != nullptr)
        failures_.guarded([this] { events_->on_resize(); });
}

void FormWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange) {
        QAccessibleEvent name_changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&name_changed);
    }
}

bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            bool opened_ours = false;
            failures_.guarded(
                [&] { opened_ours = text_mouse_press(static_cast<const QMouseEvent&>(*event)); });
            context_menu_gate_.pressed(opened_ours);
            if (opened_ours)
                return true;
        } else if (event->type() == QEvent::ContextMenu) {
            const bool from_keyboard = static_cast<const QContextMenuEvent&>(*event).reason() ==
                                       QContextMenuEvent::Keyboard;
            if (!context_menu_gate_.allows_context_menu(from_keyboard))
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool FormWidget::text_mouse_press(const QMouseEvent& event) {
    if (events_ == nullptr)
        return false;
    // MouseDown coordinates are relative to the text box itself, frame included.
    const QPointF in_text_box =
        event.position() + QPointF(text1_->viewport()->mapTo(text1_, QPoint(0, 0)));
    const host::MouseDown press{
        .button = vb_button(event.button()),
        .shift = vb_shift(event.modifiers()),
        .x = geometry::twips_from_pixels(in_text_box.x(), twips_per_pixel_x()),
        .y = geometry::twips_from_pixels(in_text_box.y(), twips_per_pixel_y()),
    };
    return events_->on_text_mouse_down(press);
}

}  // namespace platform::qt
