// Entry point of win32_tests.exe: GoogleTest's own flags, then the paths of
// the build under test, from the command line or, when absent, from the
// environment (the Wine harness passes both as Windows paths).
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "test_paths.h"

namespace {

std::wstring g_exe;
std::wstring g_bookDir;
std::wstring g_screensDir;

std::wstring FromEnvironment(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableW(name, buffer, MAX_PATH * 2);
    return n > 0 && n < MAX_PATH * 2 ? std::wstring(buffer, n) : std::wstring();
}

bool TakeOption(const std::wstring& argument, const wchar_t* prefix, std::wstring* value)
{
    const std::wstring p(prefix);
    if (argument.compare(0, p.size(), p) != 0) return false;
    *value = argument.substr(p.size());
    return true;
}

}  // namespace

const std::wstring& LumoraExePath() { return g_exe; }
void UseLumoraExe(const std::wstring& path) { g_exe = path; }
const std::wstring& BookDirPath() { return g_bookDir; }
const std::wstring& ScreensDirPath() { return g_screensDir; }

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument(argv[i]);
        if (!TakeOption(argument, L"--lumora-exe=", &g_exe) &&
            !TakeOption(argument, L"--book-dir=", &g_bookDir) &&
            !TakeOption(argument, L"--screens-dir=", &g_screensDir)) {
            std::fwprintf(stderr, L"unknown argument: %ls\n", argv[i]);
            return 2;
        }
    }
    if (g_exe.empty()) g_exe = FromEnvironment(L"LUMORA_EXE");
    if (g_bookDir.empty()) g_bookDir = FromEnvironment(L"LUMORA_BOOK_DIR");
    if (g_screensDir.empty()) g_screensDir = FromEnvironment(L"LUMORA_SCREENS_DIR");
    return RUN_ALL_TESTS();
}
