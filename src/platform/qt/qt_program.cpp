// Creating Form1 on Qt and raising its Load.
#include "platform/qt/qt_program.h"

#include "core/geometry/twips.h"
#include "core/window/form1_design.h"
#include "platform/qt/qt_accessibility.h"
#include "platform/qt/text_box_accessible.h"

namespace platform::qt {
namespace {

std::unique_ptr<FormWidget> create_form() {
    expose_form_as_window();
    expose_text_box_as_editable_text();
    return std::make_unique<FormWidget>();
}

}  // namespace

QtProgram::QtProgram(bool can_stay_on_top)
    : form_(create_form()),
      window_(*form_, can_stay_on_top),
      text_box_(*form_),
      dialogs_(*form_),
      files_(),
      core_(host::Host{window_, window_, text_box_, dialogs_, files_, window_}) {
    form_->resize(geometry::nearest_pixels_from_twips(window::form1_client_width_twips,
                                                      form_->twips_per_pixel_x()),
                  geometry::nearest_pixels_from_twips(window::form1_client_height_twips,
                                                      form_->twips_per_pixel_y()));
    // The native window exists before Load, as its handle does on Windows: created later, by
    // the first read of the handle, it would change the frame the core has just measured.
    form_->winId();
    form_->set_events(core_);
}

void QtProgram::start(std::vector<std::u16string> files) {
    form_->failures().guarded([this] { core_.on_load(); });
    if (files.empty())
        return;
    std::vector<host::GivenFile> given;
    for (std::u16string& path : files)
        given.push_back({std::move(path), true});
    form_->failures().guarded([&] { core_.on_files_given(given); });
}

}  // namespace platform::qt
