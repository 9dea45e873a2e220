// The programs of the zip carry a version resource with the project's
// version, read back through the Windows calls that Explorer's Properties
// use.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

struct VersionInfo {
    std::vector<char> data;

    std::string text(const char* name) const {
        char* value = nullptr;
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
        if (!::VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value),
                              &length) ||
            length == 0) {
            return "(none)";
        }
        return std::string(value, strnlen(value, length));
    }

    const VS_FIXEDFILEINFO* fixed() const {
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        ::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length);
        return length >= sizeof(VS_FIXEDFILEINFO) ? info : nullptr;
    }
};

VersionInfo read_version(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    VersionInfo info;
    info.data.resize(size);
    if (size == 0 || !::GetFileVersionInfoA(path.c_str(), 0, size, info.data.data())) {
        info.data.clear();
    }
    return info;
}

TEST(VersionResource, EachProgramCarriesTheProjectsVersion) {
    const std::pair<std::string, std::string> programs[] = {
        {STREET_NAMES_PROGRAM, "street_names.exe"},
        {FAKE_LFS_PROGRAM, "fake_lfs.exe"},
        {INSIM_TAP_PROGRAM, "insim_tap.exe"},
    };
    for (const auto& [path, name] : programs) {
        const VersionInfo info = read_version(path);
        ASSERT_FALSE(info.data.empty()) << name << " has no version resource";
        EXPECT_EQ(info.text("ProductName"), "street_names") << name;
        EXPECT_EQ(info.text("ProductVersion"), PROJECT_VERSION) << name;
        EXPECT_EQ(info.text("FileVersion"), PROJECT_VERSION) << name;
        EXPECT_EQ(info.text("OriginalFilename"), name);
        EXPECT_GT(info.text("FileDescription").size(), 20u) << name;
        const VS_FIXEDFILEINFO* fixed = info.fixed();
        ASSERT_NE(fixed, nullptr) << name;
        EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(PROJECT_VERSION_MINOR, PROJECT_VERSION_MAJOR));
        EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, PROJECT_VERSION_PATCH));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    }
}

}  // namespace
