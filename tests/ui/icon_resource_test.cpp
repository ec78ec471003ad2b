// The resources of the built program: its icon, the ICO file as raw data, the version
// information and the manifest; and that a program without them gets no icon bytes.
#include "ui/icon_resource.h"

#include <gtest/gtest.h>
#include <windows.h>
// winver.h needs windows.h first.
#include <winver.h>

#include <cstring>
#include <string>

#include "tests/ui/fixtures/product_icon.h"
#include "ui/owned.h"
#include "ui/resource_ids.h"

namespace {

TEST(InspectorIconFile, EmptyInAProgramWithoutTheIcon) {
    EXPECT_TRUE(inspectorIconFile().empty());
}

// window_inspector.exe, built next to the tests: <build>/ui/ beside <build>/tests/ui/.
std::string programPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of("\\/") + 1);
    return folder + "..\\..\\ui\\window_inspector.exe";
}

std::string_view resourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    const HRSRC resource = FindResourceA(module, name, type);
    if (resource == nullptr)
        return {};
    return std::string_view(static_cast<const char*>(LockResource(LoadResource(module, resource))),
                            SizeofResource(module, resource));
}

BOOL CALLBACK keepFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR first) {
    *reinterpret_cast<ULONG_PTR*>(first) = reinterpret_cast<ULONG_PTR>(name);
    return FALSE;
}

class ProgramResources : public testing::Test {
protected:
    void SetUp() override {
        program_.reset(LoadLibraryExA(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(program_) << "build window_inspector first: " << programPath();
    }
    OwnedModule program_;
};

TEST_F(ProgramResources, CarryTheIconFromWhichTheIcoFileIsRebuiltByteForByte) {
    const std::string rebuilt = icoFileFromResources(program_.get(), IDI_INSPECTOR);
    EXPECT_EQ(rebuilt.size(), 99678u);
    EXPECT_TRUE(rebuilt == productIconBytes()) << "the rebuilt file equals assets/inspector.ico";
    EXPECT_EQ(icoFileFromResources(program_.get(), IDI_INSPECTOR + 1), "");

    ULONG_PTR firstIcon = 0;
    EnumResourceNamesA(program_.get(), RT_GROUP_ICON, keepFirstName,
                       reinterpret_cast<LONG_PTR>(&firstIcon));
    EXPECT_EQ(firstIcon, static_cast<ULONG_PTR>(IDI_INSPECTOR)) << "the first icon is shown";
    const std::string_view group =
        resourceBytes(program_.get(), MAKEINTRESOURCEA(IDI_INSPECTOR), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    EXPECT_EQ(group[4], 5) << "five images";

    const std::string_view manifest =
        resourceBytes(program_.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    EXPECT_NE(manifest.find("asInvoker"), std::string_view::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string_view::npos);
}

TEST_F(ProgramResources, CarryChineseVersionInformation) {
    const OwnedModule version(LoadLibraryA("version.dll"));
    ASSERT_TRUE(version);
    const auto infoSize = reinterpret_cast<decltype(&GetFileVersionInfoSizeA)>(
        reinterpret_cast<void*>(GetProcAddress(version.get(), "GetFileVersionInfoSizeA")));
    const auto info = reinterpret_cast<decltype(&GetFileVersionInfoA)>(
        reinterpret_cast<void*>(GetProcAddress(version.get(), "GetFileVersionInfoA")));
    const auto query = reinterpret_cast<decltype(&VerQueryValueW)>(
        reinterpret_cast<void*>(GetProcAddress(version.get(), "VerQueryValueW")));
    ASSERT_TRUE(infoSize && info && query);

    const std::string path = programPath();
    std::string block(infoSize(path.c_str(), nullptr), '\0');
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(info(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(query(block.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);

    ASSERT_TRUE(query(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0804);
    EXPECT_EQ(static_cast<const WORD*>(value)[1], 936);

    struct Expected {
        const wchar_t* name;
        const wchar_t* text;
    };
    const Expected strings[] = {
        {L"FileDescription", L"窗口查看辅助工具"},
        {L"ProductName", L"窗口查看辅助工具"},
        {L"FileVersion", L"1.0.0.0"},
        {L"OriginalFilename", L"window_inspector.exe"},
    };
    for (const Expected& s : strings) {
        const std::wstring key = std::wstring(L"\\StringFileInfo\\080403a8\\") + s.name;
        ASSERT_TRUE(query(block.data(), key.c_str(), &value, &length)) << key;
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), s.text) << key;
    }
}

}  // namespace
