// System DLLs loaded on first use: only ever from the system folder, and a clear error when a
// part is missing.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../../text/temp_dir.h"
#include "platform/win32/system_library.h"
#include "text/win32/wide_strings.h"

namespace {

using platform::win32::SystemLibrary;
using text_test::error_message;

std::filesystem::path system_folder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

std::filesystem::path module_path_of(FARPROC function) {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(function)), &module);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

// Keeps a test's change of the current folder to itself.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(previous_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    std::filesystem::path previous_;
};

TEST(SystemLibrary, LoadsFromTheSystemFolderOnFirstUse) {
    SystemLibrary library(L"msimg32.dll");
    EXPECT_FALSE(library.is_loaded());
    const FARPROC alpha_blend = library.find<FARPROC>("AlphaBlend");
    ASSERT_NE(alpha_blend, nullptr);
    EXPECT_TRUE(library.is_loaded());
    EXPECT_TRUE(
        std::filesystem::equivalent(module_path_of(alpha_blend).parent_path(), system_folder()));
    EXPECT_EQ(library.function<FARPROC>("AlphaBlend"), alpha_blend);
}

TEST(SystemLibrary, MissingPartsAreNamedInJapanese) {
    struct Case {
        const wchar_t* dll;
        const char* function;
        const char16_t* message;
    };
    const Case cases[] = {
        {L"msimg32.dll", "NoSuchFunction",
         u"システムの部品（msimg32.dll）を読み込めませんでした。"},
        {L"ontop-no-such-part.dll", "AlphaBlend",
         u"システムの部品（ontop-no-such-part.dll）を読み込めませんでした。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        SystemLibrary library(c.dll);
        EXPECT_EQ(library.find<FARPROC>(c.function), nullptr);
        EXPECT_EQ(text_test::error_message([&] { library.function<FARPROC>(c.function); }),
                  c.message);
    }
}

TEST(SystemLibrary, IgnoresADllPlantedInTheCurrentFolder) {
    text_test::TempDir folder;
    std::filesystem::copy_file(system_folder() / "msimg32.dll",
                               folder.path() / "ontop-planted.dll");
    const CurrentFolder inside(folder.path());
    {
        // The plain search order would find the planted copy here.
        const platform::win32::UniqueLibrary planted(LoadLibraryW(L"ontop-planted.dll"));
        ASSERT_TRUE(planted);
    }

    SystemLibrary library(L"ontop-planted.dll");
    EXPECT_EQ(library.find<FARPROC>("AlphaBlend"), nullptr);
    EXPECT_FALSE(library.is_loaded());
}

}  // namespace
