// settings_probe: the settings store as a program, for tests that seed the
// registry with reg.exe and read it back the same way.
//   settings_probe load   prints what LoadSettings made of the registry
//   settings_probe save   loads the settings and runs the exit sequence
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shell/app_state.h"
#include "shell/exit_sequence.h"
#include "shell/settings.h"

namespace {

std::string Utf8(const wchar_t* text)
{
    char out[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

void PrintSettings()
{
    std::printf("FontName=%s\n", Utf8(reinterpret_cast<const wchar_t*>(g_app.font.faceName)).c_str());
    std::printf("FontSize=%d\n", static_cast<int>(g_app.font.size));
    std::printf("FontAsciiBase=%d\n", static_cast<int>(g_app.font.letterBase));
    std::printf("LastPosition=%u\n", static_cast<unsigned>(g_app.lastPosition));
    std::printf("Flags=0x%08X\n", static_cast<unsigned>(g_app.flags));
    std::printf("Day=%d\n", static_cast<int>(g_app.currentDay));
    std::printf("Lesson=0x%04X\n", static_cast<unsigned>(g_app.lessonKey));
    std::printf("SearchString=%s\n", reinterpret_cast<const char*>(g_app.searchString));
    std::printf("DateText=%s\n", reinterpret_cast<const char*>(g_app.dateText));
    std::printf("Gutter=%d\n", static_cast<int>(ReadNumber(MakerKey, L"SurroundingGutter", kDefaultGutter)));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) return 2;
    std::memset(&g_app, 0, sizeof g_app);
    LoadSettings();
    if (std::wcscmp(argv[1], L"load") == 0) {
        PrintSettings();
        return 0;
    }
    if (std::wcscmp(argv[1], L"save") == 0) {
        SaveAndQuit();
        return 0;
    }
    return 2;
}
