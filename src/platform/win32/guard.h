// The Win32 side of the failure boundary: the box an unexpected failure is shown in.
#pragma once

#include <windows.h>

#include "host/shared/failure_report.h"

namespace win32_host {

// A Japanese error box over `owner` (none once it is gone); throws nothing.
host::FailureReporter::ShowBox failure_box(const HWND& owner);

}  // namespace win32_host
