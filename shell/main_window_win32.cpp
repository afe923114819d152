// The main window procedure: one switch over messages, each handed to a
// small handler.
#include <windows.h>

#include "page/text_view.h"
#include "shell/about_box_win32.h"
#include "shell/app_state.h"
#include "shell/exit_sequence.h"
#include "shell/main_window_win32.h"
#include "shell/navigation_win32.h"

namespace {

void OnDestroy(HWND window)
{
    if (g_app.mainView) ReleaseDC(window, g_app.mainView->device);
    if (g_app.toolbar) DestroyWindow(g_app.toolbar);
    g_app.toolbar = nullptr;
    SaveWindowPlacement(window);
    SaveAndQuit();
}

// The session is ending: the system ends the process next, without
// destroying its window, so what WM_DESTROY would store is stored now, in
// the same order. Nothing is released: the process may go on handling
// messages until it is ended.
void OnEndSession(HWND window, bool ending)
{
    if (!ending) return;
    SaveWindowPlacement(window);
    StoreExitSettings();
}

void OnMouseWheel(HWND window, WPARAM wParam)
{
    // Whole notches only; a notch forward (away from the reader) goes back.
    const int delta = static_cast<short>(HIWORD(wParam)) / -WHEEL_DELTA;
    ScrollMainView(delta);
    UpdateScrollBar(window);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateToolbar(window);
        SyncReverseCheck(window, InitialiseReverseCheck);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_ENDSESSION:
        OnEndSession(window, wParam != FALSE);
        return 0;
    case WM_SIZE:
        ResizeWindowParts(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        PaintWindow(reinterpret_cast<HDC>(wParam), window, 0xFF);
        return 0;
    case WM_HELP:  // F1
        ShowAboutBox(g_app.instance, window);
        return 0;
    case WM_KEYDOWN:
        return HandleKey(window, static_cast<int>(wParam)) ? 0 : 1;
    case WM_COMMAND:
        if (DispatchCommand(window, LOWORD(wParam)) == 0) return 0;
        break;
    case WM_VSCROLL:
        HandleScrollBar(window, message, wParam, lParam);
        return 1;
    case WM_LBUTTONDOWN:
        HandleClick(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(window, wParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
