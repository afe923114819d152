// Current-day state kept in the application state record.
#include "calendar/current_day.h"

#include "calendar/date_line.h"
#include "calendar/hebrew_calendar.h"
#include "shell/app_state.h"

int32_t TodayDayNumber()
{
    const CalendarDate today = TodayGregorian();
    return DayNumberFromGregorian(today.month, today.day, today.year);
}

void FillCurrentDate()
{
    // A day the calendar does not cover (the day after its last one can be
    // reached with Next day) has no date, no date line and no lesson.
    if (!IsValidDayNumber(g_app.currentDay)) {
        g_app.currentDate = CalendarDate{0, 0, 0};
        g_app.dateTextLength = 0;
        g_app.dateText[0] = 0;
        return;
    }
    g_app.currentDate = HebrewFromDayNumber(g_app.currentDay);
    g_app.dateTextLength = FormatHebrewDate(&g_app.currentDate, g_app.dateText);
    if (g_app.dateTextLength == 0) g_app.dateText[0] = 0;
}

void SetCurrentDay(int32_t day, int keepPosition)
{
    if (day == 0 && (g_app.flags & kDayPinnedFlag) && !keepPosition) return;
    if (day != 0) {
        g_app.flags |= kDayPinnedFlag;
    } else {
        day = TodayDayNumber();
        g_app.flags &= ~kDayPinnedFlag;
    }
    if (day == g_app.currentDay) return;
    if (!keepPosition) g_app.lastPosition = 0;
    g_app.currentDay = day;
    FillCurrentDate();
    g_app.lessonKey = IsValidDayNumber(day) ? LessonKeyOf(g_app.currentDate) : 0;
}

void RestoreStoredDay(int32_t day, int32_t storedLessonKey)
{
    if (!IsValidDayNumber(day)) {
        g_app.currentDay = 0;
        g_app.flags &= ~kDayPinnedFlag;
        g_app.lessonKey = static_cast<uint16_t>(storedLessonKey);
        return;
    }
    // The day alone says which lesson is its own; a stored key from another
    // day (or none) would show one day's date over another day's lesson.
    g_app.currentDay = day;
    FillCurrentDate();
    g_app.lessonKey = LessonKeyOf(g_app.currentDate);
}
