// Runs the Win32 layer's tests, with Scintilla's window class registered as the program's
// entry point registers it.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/scintilla_classes.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const platform::win32::ScintillaClasses text_box_class(GetModuleHandleW(nullptr));
    return RUN_ALL_TESTS();
}
