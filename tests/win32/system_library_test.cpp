// Functions of system DLLs bound on first use, and the reader's start-up
// loading none of the DLLs that only some commands need.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "shell/system_library_win32.h"
#include "test_paths.h"

namespace {

TEST(SystemFunction, FindsSystemFunctionsAndNothingElse)
{
    EXPECT_NE(SystemFunction(L"comdlg32.dll", "PageSetupDlgW"), nullptr);
    EXPECT_NE(SystemFunction(L"shell32.dll", "ShellExecuteExW"), nullptr);
    EXPECT_EQ(SystemFunction(L"comdlg32.dll", "NoSuchFunction"), nullptr);
    EXPECT_EQ(SystemFunction(L"no-such-library.dll", "PageSetupDlgW"), nullptr);
    EXPECT_EQ(SystemFunction(std::wstring(MAX_PATH, L'x').c_str(), "PageSetupDlgW"), nullptr);
}

TEST(SystemFunction, TheReaderImportsNeitherCommonDialogsNorShell)
{
    HMODULE exe = LoadLibraryExW(LumoraExePath().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(exe, nullptr);
    auto* base = reinterpret_cast<const uint8_t*>(exe);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int dlls = 0;
    for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         dll->Name; ++dll, ++dlls) {
        const char* name = reinterpret_cast<const char*>(base + dll->Name);
        EXPECT_NE(lstrcmpiA(name, "comdlg32.dll"), 0);
        EXPECT_NE(lstrcmpiA(name, "shell32.dll"), 0);
    }
    EXPECT_GT(dlls, 3) << "the import table was not read";
    FreeLibrary(exe);
}

}  // namespace
