// The main window's page: made while the window is being created, with the
// date line's font and band, and the current day's lesson laid out at the
// scroll position the last run stored.
#include <windows.h>

#include <cstdlib>

#include "lessons/lesson_store.h"
#include "page/main_view_area.h"
#include "page/paint_view_win32.h"
#include "shell/app_state.h"
#include "shell/scroll_bar.h"

namespace {

int WindowHeight(HWND window)
{
    RECT r;
    if (!window || !GetWindowRect(window, &r)) return 0;
    return r.bottom - r.top;
}

int32_t DateTextBytes()
{
    int32_t n = 0;
    while (n < int32_t(sizeof g_app.dateText) && g_app.dateText[n] != 0) ++n;
    return n;
}

}  // namespace

void CreateDateFont()
{
    LOGFONTW font = {};
    font.lfHeight = 14;  // device units, not points
    font.lfWeight = FW_NORMAL;
    if (g_app.font.faceName[0]) {
        for (int i = 0; i < LF_FACESIZE - 1 && g_app.font.faceName[i]; ++i)
            font.lfFaceName[i] = g_app.font.faceName[i];
        // The chosen face even when it declares Hebrew alone, as the page's.
        font.lfCharSet = DEFAULT_CHARSET;
    } else {
        // No face chosen yet: whichever face has Hebrew letters.
        font.lfCharSet = HEBREW_CHARSET;
    }
    HFONT made = CreateFontIndirectW(&font);
    if (g_app.dateFont) DeleteObject(g_app.dateFont);
    g_app.dateFont = made;
}

void CreateMainView(HWND window)
{
    // The view keeps this context for the life of the window.
    HDC device = GetDC(window);
    CreateDateFont();
    HGDIOBJ previous = SelectObject(device, g_app.dateFont);

    RECT client = {};
    GetClientRect(window, &client);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(device, &metrics);
    const MainViewArea area =
        ComputeMainViewArea(client.right - client.left, client.bottom - client.top,
                            g_app.toolbar != nullptr, WindowHeight(g_app.toolbar),
                            metrics.tmHeight, g_app.gutter);
    g_app.dateBand = area.band;
    // The date line shows the bytes that fit the band; it is drawn centred.
    int32_t width = area.band.width;
    int32_t count = DateTextBytes();
    MeasureRun(device, g_app.dateText, &width, &count);
    g_app.dateTextLength = count;
    SelectObject(device, previous);

    TextView* view = NewTextView(device, &area.text, &g_app.font, 100);
    if (!view) return;
    g_app.mainView = view;
    uint8_t* lesson = LoadLesson(g_app.lessonKey, nullptr);
    if (!lesson) {
        MessageBoxW(window, L"Resource not found", L"Error", MB_ICONWARNING | MB_OK);
        return;
    }
    // A text the layout refused stays ours.
    if (LayoutText(view, lesson, false) != kLayoutDone) std::free(lesson);
    view->topRow = g_app.lastPosition;  // painting brings it within range
    UpdateScrollBar(window);
}
