// Candidate keys and dates of the day-by-day lesson search.
#include "lessons/lesson_scan.h"

#include "calendar/hebrew_calendar.h"

uint16_t NextScanKey(uint16_t key)
{
    uint16_t candidate = static_cast<uint16_t>(key + 1);
    if ((candidate & 0xFF) > 31) {
        const int month = candidate >> 8;
        const int next = month > 13 ? 1 : month + 1;
        candidate = static_cast<uint16_t>(next * 256 + 1);
    }
    return candidate;
}

namespace {

int32_t FirstLeapYearFrom(int32_t year)
{
    while (!IsHebrewLeapYear(year)) ++year;  // at most six steps in the cycle
    return year;
}

}  // namespace

CalendarDate DateOfLessonHit(int month, int day, int32_t currentYear)
{
    switch (month) {
    case 12: return CalendarDate{12, day, FirstLeapYearFrom(currentYear)};
    case 13: return CalendarDate{13, day, FirstLeapYearFrom(currentYear)};
    case 14:
        return CalendarDate{12, day, IsHebrewLeapYear(currentYear) ? currentYear + 1 : currentYear};
    default: return CalendarDate{month, day, currentYear};
    }
}
