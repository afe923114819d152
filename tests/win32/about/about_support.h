// What the About box tests share: the exe's own resources, the record kept
// by the stand-in browser, the X cursor probe, and input to a given window.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// The maker's address (the link's text), and the home page and the update
// page as the browser gets them: the shell's browser launcher puts the
// path's "/" after a bare host and turns %2D back into "-".
constexpr wchar_t kHomePage[] = L"https://quillstead.example";
constexpr wchar_t kHomePageAsReceived[] = L"https://quillstead.example/";
constexpr wchar_t kUpdatePageAsReceived[] =
    L"https://quillstead.example/cgi-bin/upgrade?p=windows/Quillstead/Lumora-Hebrew&v=1.84a";

// Lumora.exe loaded for its resources only.
HMODULE LumoraResources();

// The addresses the stand-in browser was started with, in order (one line
// each in the file named by LUMORA_BROWSER_LOG); `logPath` is empty when the
// suite set no stand-in.
std::wstring BrowserLogPath();
std::vector<std::wstring> BrowserCalls();
// Waits until the browser has been started `count` times in all.
bool WaitForBrowserCalls(size_t count, DWORD timeoutMs = 20000);

// The cursor the X server shows now ("WxH X,Y HASH"), read by the suite's
// probe through the folder LUMORA_CURSOR_DIR; empty when there is no probe.
std::string ShownCursor();
bool CursorProbeAvailable();

// Makes `window` the foreground window and types the keys into it, one
// after the other, in one go.
bool TypeInto(HWND window, std::initializer_list<WORD> virtualKeys);
inline bool TypeInto(HWND window, WORD virtualKey)
{
    return TypeInto(window, {virtualKey});
}
// Moves the pointer to a screen point and clicks the left button there.
void ClickAt(POINT screen);
// The centre of a window, on the screen.
POINT CentreOf(HWND window);

// The close box of a window's caption, found by asking the window.
bool FindCloseBox(HWND window, POINT* screen);

// The running processes named `exeName` (case-insensitive).
size_t ProcessCount(const wchar_t* exeName);
// Every visible top-level window of any process.
std::vector<HWND> VisibleTopLevelWindows();
