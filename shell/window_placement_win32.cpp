// The main window's place and size, stored at exit and restored at start.
#include <windows.h>

#include <algorithm>
#include <climits>

#include "shell/main_window_win32.h"
#include "shell/settings.h"

void SaveWindowPlacement(HWND window)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    RECT current;
    GetWindowRect(window, &current);
    const RECT& normal = placement.rcNormalPosition;
    int top = current.top;
    int left = current.left;
    UINT showCommand = placement.showCmd;
    if (showCommand == SW_SHOWMAXIMIZED) {
        // A maximized window's corner lies one frame outside the work area;
        // this turns the normal position (work-area based) into screen terms.
        top = current.top + GetSystemMetrics(SM_CYFRAME) + normal.top;
        left = current.left + GetSystemMetrics(SM_CXFRAME) + normal.left;
    } else if (showCommand == SW_SHOWMINIMIZED) {
        // A minimized window sits far off screen; keep where it will be
        // restored to, in screen terms, and start it restored next time.
        RECT workArea = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
        top = workArea.top + normal.top;
        left = workArea.left + normal.left;
        showCommand = (placement.flags & WPF_RESTORETOMAXIMIZED) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    }
    WriteNumber(L"Top", top);
    WriteNumber(L"Left", left);
    WriteNumber(L"Width", normal.right - normal.left);
    WriteNumber(L"Height", normal.bottom - normal.top);
    WriteNumber(L"showCmd", static_cast<int32_t>(showCommand));
}

namespace {

// Whether any monitor shows part of the stored rectangle. One that none shows
// (a monitor since removed, a hand-edited or damaged registry) would put the
// window out of the user's reach.
bool OnSomeMonitor(int left, int top, int width, int height)
{
    const auto farEdge = [](int start, int length) {
        return static_cast<LONG>(std::min<long long>(INT_MAX, 1LL * start + std::max(length, 1)));
    };
    const RECT stored = {left, top, farEdge(left, width), farEdge(top, height)};
    return MonitorFromRect(&stored, MONITOR_DEFAULTTONULL) != nullptr;
}

}  // namespace

void RestoreWindowPlacement(HWND window, int defaultShowCommand)
{
    const int top = ReadNumber(L"Top", 0);
    const int left = ReadNumber(L"Left", 0);
    const int width = ReadNumber(L"Width", 0);
    const int height = ReadNumber(L"Height", 0);
    int showCommand = ReadNumber(L"showCmd", defaultShowCommand);
    // Only a command that shows the window is taken from the store; anything
    // else there (hidden, or not a command at all) would leave no window.
    if (showCommand < SW_SHOWNORMAL || showCommand > SW_MAX) showCommand = defaultShowCommand;
    if ((width > 0 || height > 0) && OnSomeMonitor(left, top, width, height))
        MoveWindow(window, left, top, width, height, TRUE);
    ShowWindow(window, showCommand);
}
