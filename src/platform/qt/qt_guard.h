// The Qt side of the failure boundary: the box an unexpected failure is shown in.
#pragma once

#include <functional>

#include "platform/common/failure_report.h"

class QWidget;

namespace platform::qt {

// A critical message box over `parent` (standing alone when null), also written to the log;
// throws nothing.
common::FailureReporter::ShowBox failure_box(QWidget* parent);

// Runs the program, from creating Form1 to the end of its main loop, inside the failure
// boundary, so that a failure with no window to stand over still gets its box. The program's
// exit code, or 1 when it failed.
int run_guarded(const std::function<int()>& program);

}  // namespace platform::qt
