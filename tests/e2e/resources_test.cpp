// The resources that Orvane.exe carries: icon group 1 with 16, 32 and 48 pixel images, the
// manifest asking for common controls 6 and per-monitor display scale, and the version information.
// The program file is opened as data only; it does not run.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/win_process.h"

namespace {

std::string OrvanePath() {
    return BinDirectory() + "Orvane.exe";
}

struct DataModule {
    HMODULE module = LoadLibraryExA(OrvanePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ~DataModule() {
        if (module) FreeLibrary(module);
    }
};

// The bytes of one resource, empty when it is missing.
std::string ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return std::string();
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return std::string();
    return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

} // namespace

TEST(Resources, IconGroupOneHoldsDrawableIconsOf16_32And48Pixels) {
    DataModule orvane;
    ASSERT_NE(orvane.module, nullptr) << OrvanePath() << " error " << GetLastError();
    std::string group =
        ResourceBytes(orvane.module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u);
    const WORD* header = reinterpret_cast<const WORD*>(group.data());
    EXPECT_EQ(header[1], 1); // icons, not cursors
    ASSERT_EQ(header[2], 3);
    ASSERT_EQ(group.size(), 6 + 3 * sizeof(GroupIconEntry));
    std::vector<int> sizes;
    for (int i = 0; i < 3; i++) {
        GroupIconEntry entry;
        memcpy(&entry, group.data() + 6 + i * sizeof(GroupIconEntry), sizeof entry);
        sizes.push_back(entry.width);
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(entry.bitCount, 32);
        std::string image =
            ResourceBytes(orvane.module, MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3)); // RT_ICON
        ASSERT_EQ(image.size(), entry.bytes);
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(&image[0]), DWORD(image.size()), TRUE,
                                              0x00030000, entry.width, entry.height, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr) << "icon of " << int(entry.width) << " pixels";
        if (icon) DestroyIcon(icon);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

TEST(Resources, ManifestAsksForCommonControls6AndPerMonitorScaleAndRunsAsInvoker) {
    DataModule orvane;
    ASSERT_NE(orvane.module, nullptr) << OrvanePath();
    std::string manifest =
        ResourceBytes(orvane.module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    ASSERT_FALSE(manifest.empty());
    size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\"", controls), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Orvane\" version=\"1.2.2.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
}

TEST(Resources, VersionInformationNamesOrvane122) {
    // The version functions come from version.dll, loaded here so that the test needs no import.
    HMODULE versionDll = LoadLibraryA("version.dll");
    ASSERT_NE(versionDll, nullptr);
    using SizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
    using InfoFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
    using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
    auto getSize = reinterpret_cast<SizeFunction>(
        reinterpret_cast<void*>(GetProcAddress(versionDll, "GetFileVersionInfoSizeA")));
    auto getInfo = reinterpret_cast<InfoFunction>(
        reinterpret_cast<void*>(GetProcAddress(versionDll, "GetFileVersionInfoA")));
    auto query = reinterpret_cast<QueryFunction>(
        reinterpret_cast<void*>(GetProcAddress(versionDll, "VerQueryValueA")));
    ASSERT_TRUE(getSize && getInfo && query);

    std::string path = OrvanePath();
    DWORD handle = 0;
    DWORD size = getSize(path.c_str(), &handle);
    ASSERT_GT(size, 0u) << path;
    std::vector<char> info(size);
    ASSERT_TRUE(getInfo(path.c_str(), 0, size, info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(query(info.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00020000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00020000u);

    auto text = [&](const char* key) {
        std::string subBlock = std::string("\\StringFileInfo\\040904E4\\") + key;
        void* found = nullptr;
        UINT foundLength = 0;
        if (!query(info.data(), subBlock.c_str(), &found, &foundLength) || !found) return std::string();
        return std::string(static_cast<const char*>(found));
    };
    EXPECT_EQ(text("ProductVersion"), "1.2.2");
    EXPECT_EQ(text("FileVersion"), "1.2.2");
    EXPECT_EQ(text("ProductName"), "Orvane");
    EXPECT_EQ(text("OriginalFilename"), "Orvane.exe");
    FreeLibrary(versionDll);
}
