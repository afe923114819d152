// The main window's vertical scroll bar follows the page's scroll position
// and range; its page size is never set.
#include <windows.h>

#include "page/text_view.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
#include "shell/scroll_bar.h"

void UpdateScrollBar(HWND window)
{
    if (!(g_app.flags & (kScrollBarShownFlag | kScrollBarLeftFlag)) || !g_app.mainView) return;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = g_app.mainView->maxTopRow;
    info.nPos = g_app.mainView->topRow;
    SetScrollInfo(window, SB_VERT, &info, TRUE);
}
