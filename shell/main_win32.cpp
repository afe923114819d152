// Entry point. The reader's window comes with the main-window work; until
// then the program checks that today's lesson can be loaded and ends.
#include <windows.h>
#include <cstdlib>
#include "calendar/hebrew_calendar.h"
#include "lessons/lesson_store.h"
#include "shell/app_state.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    g_app.instance = instance;
    const CalendarDate today = TodayGregorian();
    const int32_t day = DayNumberFromGregorian(today.month, today.day, today.year);
    int reason = 0;
    uint8_t* lesson = LoadLesson(LessonKeyOf(HebrewFromDayNumber(day)), &reason);
    std::free(lesson);
    return lesson ? 0 : reason;
}
