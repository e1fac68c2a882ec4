// The Qt side of the failure boundary: the box an unexpected failure is shown in.
#pragma once

#include "host/failure_report.h"

class QWidget;

namespace qt_host {

// A critical message box over `parent`, also written to the log; throws nothing.
host::FailureReporter::ShowBox failure_box(QWidget& parent);

}  // namespace qt_host
