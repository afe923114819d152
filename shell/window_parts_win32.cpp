// The parts of the main window: toolbar, page, date band and scroll bar,
// fitted to the window and painted.
#include <windows.h>
#include <commctrl.h>

#include "page/convert_letters.h"
#include "page/text_view.h"
#include "resource_ids.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"

namespace {

int WindowHeight(HWND window)
{
    RECT r;
    if (!window || !GetWindowRect(window, &r)) return 0;
    return r.bottom - r.top;
}

// Sets the check mark of a menu item; returns whether it is now checked.
bool SetMenuCheck(HMENU menu, int item, bool checked)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    info.fState = checked ? MFS_CHECKED : MFS_UNCHECKED;
    SetMenuItemInfoW(menu, item, FALSE, &info);
    return checked;
}

}  // namespace

void CreateToolbar(HWND window)
{
    g_app.mainWindow = window;
    const TBBUTTON buttons[] = {
        {0, IDC_PREVIOUS_DAY, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {1, IDC_TODAY, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {2, IDC_NEXT_DAY, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {3, IDC_FONT, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {4, IDC_SEARCH, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {5, IDC_SEARCH_AGAIN, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    };
    g_app.toolbar = CreateToolbarEx(window, WS_CHILD | WS_VISIBLE, 1, 6, g_app.instance, IDB_TOOLBAR,
                                    buttons, 6, 16, 16, 16, 16, sizeof(TBBUTTON));
    CreateMainView(window);
}

void SyncReverseCheck(HWND window, ReverseCheckMode mode)
{
    HMENU menu = GetMenu(window);
    if (mode == InitialiseReverseCheck) {
        SetMenuCheck(menu, IDC_REVERSE, g_app.flags & kReverseFlag);
        return;
    }
    const bool wasChecked = GetMenuState(menu, IDC_REVERSE, MF_BYCOMMAND) & MF_CHECKED;
    if (SetMenuCheck(menu, IDC_REVERSE, !wasChecked))
        g_app.flags |= kReverseFlag;
    else
        g_app.flags &= ~kReverseFlag;
}

void ResizeWindowParts(HWND window, int clientWidth, int clientHeight)
{
    const int gutter = g_app.gutter;
    int width = clientWidth > 2 * gutter ? clientWidth - 2 * gutter : clientWidth;
    int height = clientHeight > 2 * gutter ? clientHeight - 2 * gutter : clientHeight;
    height -= g_app.dateBand.height;
    if (!g_app.mainView) return;
    g_app.dateBand.width = width + 2 * gutter;
    g_app.dateBand.top = height + 2 * gutter;
    if (g_app.toolbar) {
        const int toolbarHeight = WindowHeight(g_app.toolbar);
        MoveWindow(g_app.toolbar, 0, 0, width, toolbarHeight, TRUE);
        height -= toolbarHeight;
    }
    ResizeView(g_app.mainView, width, height);
    UpdateScrollBar(window);
}

void DrawDateLine(HDC device)
{
    HGDIOBJ previous = SelectObject(device, g_app.dateFont);
    DrawRun(device, g_app.dateText, g_app.dateTextLength, g_app.dateBand.left + 1,
            g_app.dateBand.top + 1, g_app.dateBand.width - 2, g_app.dateBand.height - 2);
    SelectObject(device, previous);
}

void RedrawDateBand(HWND window)
{
    HDC device = GetDC(window);
    FillBox(device, g_app.dateBand.left, g_app.dateBand.top, g_app.dateBand.width,
            g_app.dateBand.height, LTGRAY_BRUSH);
    SetBkMode(device, TRANSPARENT);
    DrawDateLine(device);
    ReleaseDC(window, device);
}

void PaintWindow(HDC device, HWND window, int flags)
{
    PAINTSTRUCT paint;
    const bool begun = device == nullptr;
    if (begun) device = BeginPaint(window, &paint);
    if (flags & kPaintErase) {
        RECT client;
        GetClientRect(window, &client);
        client.top = g_app.toolbar ? WindowHeight(g_app.toolbar) - 1 : 0;
        FillRect(device, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    // The page draws on the view's own device context.
    if ((flags & kPaintPage) && g_app.mainView) PaintView(g_app.mainView, flags & kPaintErase);
    FillBox(device, g_app.dateBand.left, g_app.dateBand.top, g_app.dateBand.width,
            g_app.dateBand.height, LTGRAY_BRUSH);
    SetBkMode(device, TRANSPARENT);
    DrawDateLine(device);
    if (begun) EndPaint(window, &paint);
}

void RepaintWindow(HWND window, int flags)
{
    if (!window) window = g_app.mainWindow;
    HDC device = GetDC(window);
    PaintWindow(device, window, flags);
    ReleaseDC(window, device);
    UpdateScrollBar(window);
}
