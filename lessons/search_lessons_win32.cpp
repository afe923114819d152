// The lesson search on the main view: runs the search, moves to the day of
// a hit in another lesson and shows the hit.
#include "lessons/search_lessons_win32.h"

#include <malloc.h>

#include <cstdlib>

#include "calendar/current_day.h"
#include "calendar/hebrew_calendar.h"
#include "lessons/lesson_scan.h"
#include "lessons/lesson_search.h"
#include "lessons/lesson_store.h"
#include "lessons/search_start.h"
#include "page/text_view.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"

namespace {

size_t PatternLength()
{
    size_t length = 0;
    while (length < sizeof g_app.searchString - 1 && g_app.searchString[length] != 0) ++length;
    return length;
}

// Lesson texts come from the standard allocator: the block's own size bounds
// every read, whatever the bytes in it say.
size_t TextSize(const uint8_t* text)
{
    return _msize(const_cast<uint8_t*>(text));
}

uint8_t* LoadFromResources(uint16_t key, size_t* size, void*)
{
    uint8_t* text = LoadLesson(key, nullptr);
    *size = text ? TextSize(text) : 0;
    return text;
}

// Scrolls the hit into view and draws it with the banner.
void ShowHit(TextView* view, const LessonHit& found)
{
    FindRowOfOffset(view, found.hit);
    RepaintWindow(nullptr, kPaintErase | 0xFF);
    view->hitStart = static_cast<uint16_t>(found.hit - found.length + 1);
    view->hitEnd = static_cast<uint16_t>(found.hit + 1);
    PaintView(view, 1);
    ShowSearchBanner(view);
}

// Makes the day of a hit in another lesson current and lays its text out;
// false when the view could not take it.
bool MoveToFoundDay(const LessonHit& found)
{
    const CalendarDate date =
        DateOfLessonHit(found.key >> 8, found.key & 0xFF, g_app.currentDate.year);
    SetCurrentDay(DayNumberFromHebrew(date.month, date.day, date.year), 1);
    // The view owns the text once it has laid it out.
    if (g_app.mainView && LayoutText(g_app.mainView, found.text, true) == kLayoutDone) return true;
    std::free(found.text);
    return false;
}

}  // namespace

int SearchLessons(HWND owner)
{
    const size_t patternLength = PatternLength();
    const uint16_t key = static_cast<uint16_t>(g_app.lessonKey);
    if (patternLength == 0 || key == 0) return 0;

    TextView* view = g_app.mainView;
    const uint8_t* shown = view ? view->text : nullptr;
    const LessonHit found =
        SearchAllLessons(shown, shown ? TextSize(shown) : 0, shown ? SearchStartOffset(view) : 0,
                         key, g_app.searchString, patternLength, LoadFromResources, nullptr);
    // Out of memory: the exit sequence has begun and said so.
    if (found.abandoned) return 0;
    if (!found.hit) {
        MessageBoxW(owner, L"Not Found!", L"Lumora", MB_OK);
        return 0;
    }
    if (found.key && !MoveToFoundDay(found)) {
        // The day changed but its text could not be shown: no hit to mark.
        RepaintWindow(nullptr, kPaintErase | 0xFF);
        return 1;
    }
    if (g_app.mainView) ShowHit(g_app.mainView, found);
    return 1;
}
