// Steps the release tests share: running a copy of the reader once and
// reading what it showed.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Makes `exe` the Lumora.exe that tests start while it lives.
class ScopedLumoraExe {
public:
    explicit ScopedLumoraExe(const std::wstring& exe);
    ~ScopedLumoraExe();

private:
    std::wstring previous_;
};

struct Shown {
    bool started = false;
    long exitCode = -1;
    int32_t day = 0;       // the "Day" it stored at exit
    uint16_t lesson = 0;   // the "Lesson" it stored at exit
};

// Runs `exe` once as a returning reader who was on another day, with
// `currentDir` as its current folder (none: ours), saves a screenshot of it
// as `screenshot`, closes it and returns what it stored.
Shown RunReaderOnce(const std::wstring& exe, const wchar_t* screenshot, const std::wstring& currentDir = L"");

// Saves `window` (any process's) as `name`.bmp in the screenshot folder once
// its painting has settled; nothing when there is no folder.
void Shot(HWND window, const wchar_t* name);
