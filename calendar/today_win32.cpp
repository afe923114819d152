// Today's date from the local clock (local time, not UTC).
#include <windows.h>
#include "calendar/hebrew_calendar.h"

CalendarDate TodayGregorian()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wMonth, now.wDay, now.wYear};
}
