// The Win32 side of the failure boundary: the box an unexpected failure is shown in.
#pragma once

#include <windows.h>

#include "platform/common/failure_report.h"

namespace platform::win32 {

// A Japanese error box over `owner` (none once it is gone); throws nothing.
common::FailureReporter::ShowBox failure_box(const HWND& owner);

}  // namespace platform::win32
