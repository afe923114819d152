// Commands of the menu, the accelerators and the toolbar.
#include <windows.h>

#include "clipboard/clipboard_export_win32.h"
#include "dialogs/calendar_picker_win32.h"
#include "dialogs/font_chooser_win32.h"
#include "dialogs/search_dialog_win32.h"
#include "lessons/search_lessons_win32.h"
#include "page/text_view.h"
#include "print/print_win32.h"
#include "resource_ids.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
// The About box and the update check.
#include "shell/about_box_win32.h"
#include "shell/open_url_win32.h"

namespace {

void ChangeFont(HWND window)
{
    if (RunFontChooser(g_app.instance, window, &g_app.font) != 1) return;
    // The date line shows the new face at once; the page follows.
    CreateDateFont();
    RedrawDateBand(window);
    if (g_app.mainView) SetViewFont(g_app.mainView, &g_app.font);
}

void ToggleReverse(HWND window)
{
    SyncReverseCheck(window, ToggleReverseCheck);
    // Only the drawing order changes: repaint, no new layout. The date line
    // is drawn in the same order as the page, so it is redrawn with it.
    if (g_app.mainView) PaintView(g_app.mainView, 1);
    RedrawDateBand(window);
}

// The search dialog runs the search itself; its result tells nothing more.
void OpenSearchDialog()
{
    DialogBoxParamW(g_app.instance, MAKEINTRESOURCEW(IDD_SEARCH), g_app.mainWindow,
                    SearchDialogProc, 0);
}

// Picks a day from the calendar and moves to it; closing the picker, or
// picking the day on show, changes nothing.
void ChooseDayFromCalendar(HWND window)
{
    const int32_t day = PickCalendarDay(g_app.instance, window, g_app.currentDay,
                                        reinterpret_cast<const wchar_t*>(g_app.font.faceName));
    if (day != 0 && day != g_app.currentDay) GoToDay(window, day);
}

}  // namespace

int DispatchCommand(HWND window, int command)
{
    switch (command) {
    case IDC_CALENDAR: ChooseDayFromCalendar(window); return 0;
    case IDC_TODAY: GoToDay(window, 0); return 0;
    case IDC_NEXT_DAY: GoToDay(window, g_app.currentDay + 1); return 0;
    case IDC_PREVIOUS_DAY: GoToDay(window, g_app.currentDay - 1); return 0;
    case IDC_REVERSE: ToggleReverse(window); return 0;
    case IDC_EXIT: DestroyWindow(window); return 0;
    case IDC_FONT: ChangeFont(window); return 0;
    case IDC_SEARCH: OpenSearchDialog(); return 0;
    case IDC_SEARCH_AGAIN: SearchLessons(g_app.mainWindow); return 0;
    case IDC_COPY: ExportLesson(g_app.mainView, 0); return 0;
    case IDC_APPEND: ExportLesson(g_app.mainView, 1); return 0;
    case IDC_PRINT: PrintLesson(g_app.mainView); return 0;
    // The About box and the update check.
    case IDC_ABOUT: ShowAboutBox(g_app.instance, window); return 0;
    case IDC_CHECK_UPDATES: CheckForUpdates(g_app.mainWindow); return 0;
    default: return 1;
    }
}
