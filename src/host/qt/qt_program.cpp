// Creating Form1 on Qt and raising its Load.
#include "host/qt/qt_program.h"

#include "host/qt/qt_guard.h"
#include "host/qt/qt_strings.h"

namespace qt_host {
namespace {

// The client area Form1 is created with, in twips.
constexpr float client_width_twips = 5910;
constexpr float client_height_twips = 4305;

}  // namespace

QtProgram::QtProgram()
    : form_(std::make_unique<FormWidget>()),
      window_(*form_),
      text_box_(*form_),
      dialogs_(*form_),
      files_(),
      core_(host::Host{window_, window_, text_box_, dialogs_, files_, window_}) {
    form_->resize(pixels_from_twips(client_width_twips, form_->twips_per_pixel_x()),
                  pixels_from_twips(client_height_twips, form_->twips_per_pixel_y()));
    form_->set_events(core_);
}

void QtProgram::start() {
    guarded(form_.get(), [this] { core_.on_load(); });
}

}  // namespace qt_host
