// Scrolling by keys, wheel, scroll bar and clicks; moving between days.
#include "shell/navigation_win32.h"

#include <cstdlib>

#include "calendar/current_day.h"
#include "lessons/lesson_store.h"
#include "lessons/search_lessons_win32.h"
#include "page/text_view.h"
#include "resource_ids.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"

int PageStep(uint32_t field, int rowsPainted)
{
    return field == 2 || field == 4 ? rowsPainted / 2 : rowsPainted - 1;
}

void ScrollMainView(int delta)
{
    if (g_app.mainView) ScrollView(g_app.mainView, delta, 1, 1);
}

bool HandleKey(HWND window, int virtualKey)
{
    TextView* view = g_app.mainView;
    const int rowsPainted = view ? view->rowsPainted : 0;
    const int keyStep = PageStep((g_app.flags >> kKeyPageStepShift) & 7, rowsPainted);
    switch (virtualKey) {
    case VK_RETURN:
        // Search again, once there is a pattern.
        if (g_app.searchString[0] != 0) SearchLessons(window);
        return true;
    case VK_PRIOR: ScrollMainView(-keyStep); break;
    case VK_NEXT: ScrollMainView(keyStep); break;
    case VK_END: ScrollMainView(view ? view->maxTopRow : 0); break;
    case VK_HOME: ScrollMainView(view ? -view->topRow : 0); break;
    case VK_UP: ScrollMainView(-1); break;
    case VK_DOWN: ScrollMainView(1); break;
    case VK_LEFT: GoToDay(window, g_app.currentDay - 1); return true;
    case VK_RIGHT: GoToDay(window, g_app.currentDay + 1); return true;
    default: return false;
    }
    UpdateScrollBar(window);
    return true;
}

void HandleScrollBar(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TextView* view = g_app.mainView;
    const int rowsPainted = view ? view->rowsPainted : 0;
    const int topRow = view ? view->topRow : 0;
    int delta = 0;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: delta = -1; break;
    case SB_LINEDOWN: delta = 1; break;
    case SB_PAGEUP: delta = 1 - rowsPainted; break;
    case SB_PAGEDOWN: delta = rowsPainted - 1; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: delta = static_cast<short>(HIWORD(wParam)) - topRow; break;
    case SB_TOP: delta = -topRow; break;
    case SB_BOTTOM: delta = 1; break;  // one row, like a line step
    default: delta = 0; break;
    }
    if (delta != 0) ScrollMainView(delta);
    DefWindowProcW(window, message, wParam, lParam);
    if (delta != 0) UpdateScrollBar(window);
}

bool ClickPage(HWND window, TextView* view, int x, int y)
{
    if (!PointNearView(view, x, y)) return false;
    if (!(g_app.flags & kClickPagingFlag)) return false;
    const bool vertical = g_app.flags & kClickVerticalFlag;
    const int coordinate = vertical ? y : x;
    const int middle = vertical ? view->top + view->height / 2 : view->left + view->width / 2;
    const int step = std::abs(PageStep((g_app.flags >> kClickPageStepShift) & 7, view->rowsPainted));
    ScrollMainView(coordinate < middle ? -step : step);
    UpdateScrollBar(window);
    return true;
}

void HandleClick(HWND window, int x, int y)
{
    if (!g_app.mainView) return;
    if (ClickPage(window, g_app.mainView, x, y)) return;
    // The date band (its top and bottom rows included) opens the calendar,
    // wherever across it the click falls.
    if (y >= g_app.dateBand.top && y <= g_app.dateBand.top + g_app.dateBand.height)
        DispatchCommand(window, IDC_CALENDAR);
}

void GoToDay(HWND window, int32_t day)
{
    const int32_t previousDay = g_app.currentDay;
    SetCurrentDay(day, 1);
    uint8_t* lesson = LoadLesson(g_app.lessonKey, nullptr);
    if (lesson) {
        // A view takes the lesson only when it lays it out.
        if (!g_app.mainView || LayoutText(g_app.mainView, lesson, true) != kLayoutDone)
            std::free(lesson);
        if (g_app.mainView) g_app.mainView->topRow = 0;
        RepaintWindow(window, kPaintErase | 0xFF);
        return;
    }
    SetCurrentDay(previousDay, 0);
    MessageBoxW(window, L"Could not access the\r\nThe lesson for the selected day", L"Error",
                MB_ICONWARNING | MB_OK);
}
