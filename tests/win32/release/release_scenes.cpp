// Steps the release tests share.
#include "release_scenes.h"

#include "book_days.h"
#include "lumora_process.h"
#include "reader_setup.h"
#include "test_paths.h"

ScopedLumoraExe::ScopedLumoraExe(const std::wstring& exe) : previous_(LumoraExePath())
{
    UseLumoraExe(exe);
}

ScopedLumoraExe::~ScopedLumoraExe() { UseLumoraExe(previous_); }

Shown RunReaderOnce(const std::wstring& exe, const wchar_t* screenshot, const std::wstring& currentDir)
{
    // Last read two days ago, not pinned: a start shows today.
    ReaderSetup setup;
    setup.day = Today() - 2;
    setup.flags = kReadableFlags;
    Seed(setup);

    wchar_t ourDir[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, ourDir);
    if (!currentDir.empty()) SetCurrentDirectoryW(currentDir.c_str());
    ScopedLumoraExe use(exe);
    Shown shown;
    {
        LumoraProcess lumora;
        HWND window = lumora.StartAndWait();
        SetCurrentDirectoryW(ourDir);
        if (!window) return shown;
        shown.started = true;
        Screenshot(window, screenshot);
        shown.exitCode = lumora.CloseAndWait();
    }
    shown.day = static_cast<int32_t>(Registry::Number(L"Day"));
    shown.lesson = static_cast<uint16_t>(Registry::Number(L"Lesson"));
    return shown;
}

void Shot(HWND window, const wchar_t* name)
{
    if (ScreensDirPath().empty()) return;
    CaptureClientSettled(window);
    SaveWindowBitmap(window, ScreensDirPath() + L"\\" + name + L".bmp");
}
