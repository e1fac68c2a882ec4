// Runs the Win32 layer's tests with the rich edit library loaded, as the
// program's own entry point has them.
#include <windows.h>

#include <gtest/gtest.h>

#include "host/win32/startup.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const win32_host::UniqueLibrary rich_edit = win32_host::load_rich_edit();
    return RUN_ALL_TESTS();
}
