// The resources inside the built program, read back the way Explorer and the loader read them
// (check_resources.cmake checks the version numbers, the icon group's images and the manifest's
// DPI awareness, for the 32-bit build too).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/resources.h"
#include "platform/win32/unique_handles.h"
#include "text/utf.h"
#include "text/win32/wide_strings.h"

namespace {

// The program is built beside this test program.
std::wstring program_path() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"ontopview.exe";
}

std::vector<BYTE> version_record() {
    const std::wstring path = program_path();
    DWORD ignored = 0;
    std::vector<BYTE> record(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    if (record.empty() ||
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(record.size()), record.data())) {
        record.clear();
    }
    return record;
}

std::u16string version_string(std::vector<BYTE>& record, const std::wstring& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\" ONTOP_VERSION_BLOCK_W L"\\" + name;
    if (!VerQueryValueW(record.data(), query.c_str(), &value, &length) || value == nullptr) {
        return u"(missing)";
    }
    return text::u16_from_wide_buffer(static_cast<const wchar_t*>(value));
}

class ProgramResources : public ::testing::Test {
  protected:
    void SetUp() override {
        module_.reset(LoadLibraryExW(program_path().c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(module_) << "cannot load " << GetLastError();
    }

    // The bytes of a resource, empty when there is none.
    std::vector<BYTE> resource(const wchar_t* type, const wchar_t* name) const {
        const HRSRC found = FindResourceW(module_.get(), name, type);
        if (found == nullptr)
            return {};
        const HGLOBAL loaded = LoadResource(module_.get(), found);
        const auto* bytes = static_cast<const BYTE*>(LockResource(loaded));
        return {bytes, bytes + SizeofResource(module_.get(), found)};
    }

    platform::win32::UniqueLibrary module_;
};

TEST_F(ProgramResources, VersionRecordAndItsStrings) {
    std::vector<BYTE> record = version_record();
    ASSERT_FALSE(record.empty());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const std::vector<std::tuple<std::wstring, const char*>> strings = {
        {L"CompanyName", ONTOP_COMPANY_NAME},
        {L"FileDescription", ONTOP_FILE_DESCRIPTION},
        {L"ProductName", ONTOP_PRODUCT_NAME},
        {L"InternalName", ONTOP_INTERNAL_NAME},
        {L"OriginalFilename", ONTOP_ORIGINAL_FILENAME},
    };
    for (const auto& [name, expected] : strings) {
        EXPECT_EQ(version_string(record, name), text::utf16_from_utf8(expected))
            << text::u16_from_wstring(name).size();
    }
    // The text reads as the numbers do, the minor number in two digits ("1.00").
    char major_minor[32];
    std::snprintf(major_minor, sizeof major_minor, "%d.%02d", ONTOP_VERSION_MAJOR,
                  ONTOP_VERSION_MINOR);
    EXPECT_TRUE(
        version_string(record, L"FileVersion").starts_with(text::utf16_from_utf8(major_minor)))
        << ONTOP_VERSION_TEXT;
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colors;
    BYTE reserved;
    WORD planes;
    WORD bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ProgramResources, EachImageOfTheIconGroupIsTheBitmapItsEntrySays) {
    const std::vector<BYTE> group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(ONTOP_ICON_ID));
    ASSERT_GE(group.size(), 6u);
    WORD header[3] = {};
    std::memcpy(header, group.data(), sizeof header);
    EXPECT_EQ(header[0], 0);  // reserved
    EXPECT_EQ(header[1], 1);  // icons, not cursors
    ASSERT_EQ(group.size(), 6 + header[2] * sizeof(GroupIconEntry));

    for (WORD i = 0; i < header[2]; ++i) {
        GroupIconEntry entry{};
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        // Each image is there, a bitmap of the size and depth the group says.
        const std::vector<BYTE> image = resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
        ASSERT_EQ(image.size(), entry.bytes);
        BITMAPINFOHEADER bitmap{};
        std::memcpy(&bitmap, image.data(), sizeof bitmap);
        EXPECT_EQ(bitmap.biWidth, entry.width);
        EXPECT_EQ(bitmap.biHeight, 2 * entry.height);  // colour bits and mask
        EXPECT_EQ(bitmap.biBitCount, entry.bit_count);
        EXPECT_EQ(entry.colors, 1 << entry.bit_count);
    }
}

TEST_F(ProgramResources, ManifestAsksForCommonControlsAndPerMonitorDpi) {
    const std::vector<BYTE> bytes = resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    ASSERT_FALSE(bytes.empty());
    const std::string manifest(bytes.begin(), bytes.end());
    for (const char* needed : {"Microsoft.Windows.Common-Controls", "6.0.0.0", "<dpiAwareness",
                               "PerMonitorV2, PerMonitor", "true/pm", "supportedOS", "asInvoker"}) {
        EXPECT_NE(manifest.find(needed), std::string::npos) << needed;
    }
}

TEST_F(ProgramResources, TheProgramLoadsItsIcon) {
    const HICON icon = LoadIconW(module_.get(), MAKEINTRESOURCEW(ONTOP_ICON_ID));
    EXPECT_NE(icon, nullptr);
}

}  // namespace
