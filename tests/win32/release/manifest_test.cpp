// The application manifests of the program and of the installer, as the
// system's loader reads them, and what the running program gets from them.
#include <windows.h>
#include <tlhelp32.h>
#include <gtest/gtest.h>

#include <cwctype>

#include "book_days.h"
#include "lumora_process.h"
#include "reader_setup.h"
#include "release_env.h"
#include "test_paths.h"

namespace {

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// Path of the module `name` loaded in process `id`, lower case; empty if none.
std::wstring LoadedModule(DWORD id, const wchar_t* name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, id);
    if (snapshot == INVALID_HANDLE_VALUE) return L"";
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    std::wstring path;
    for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry))
        if (lstrcmpiW(entry.szModule, name) == 0) path = entry.szExePath;
    CloseHandle(snapshot);
    for (wchar_t& c : path) c = static_cast<wchar_t>(std::towlower(c));
    return path;
}

}  // namespace

TEST(Manifest, LumoraRunsAsInvokerOnTheSystemsItNamesWithoutDpiAwarenessOrCommonControls6)
{
    const std::string manifest = ManifestOf(LumoraExePath());
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST 1 in " << testing::PrintToString(LumoraExePath());
    EXPECT_TRUE(Has(manifest, "level=\"asInvoker\""));
    EXPECT_TRUE(Has(manifest, "uiAccess=\"false\""));
    for (const char* os : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_TRUE(Has(manifest, os)) << os;
    EXPECT_TRUE(Has(manifest, ">false</dpiAware>"));
    EXPECT_FALSE(Has(manifest, "dpiAwareness"));
    EXPECT_FALSE(Has(manifest, "Microsoft.Windows.Common-Controls"));
}

TEST(Manifest, TheInstallerNeedsNoAdministrator)
{
    const std::string manifest = ManifestOf(SetupExe());
    ASSERT_FALSE(manifest.empty());
    EXPECT_TRUE(Has(manifest, "level=\"asInvoker\"")) << manifest;
}

TEST(Manifest, RunningLumoraGetsTheClassicCommonControls)
{
    ReaderSetup setup;
    setup.day = Today();
    setup.flags = kReadableFlags;
    Seed(setup);
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    const std::wstring comctl = LoadedModule(lumora.processId(), L"comctl32.dll");
    // Version 6 would come from the side-by-side store instead.
    EXPECT_NE(comctl.find(L"\\system32\\comctl32.dll"), std::wstring::npos) << comctl;
    EXPECT_EQ(comctl.find(L"winsxs"), std::wstring::npos) << comctl;
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}
