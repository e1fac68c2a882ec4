// Runs the shared text box's tests with Scintilla's window class registered.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/scintilla_classes.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const platform::win32::ScintillaClasses text_box_class(GetModuleHandleW(nullptr));
    return RUN_ALL_TESTS();
}
