// Calendar arithmetic: the fixed Hebrew calendar (molad in hours and parts,
// 19-year cycle, postponements) and the proleptic Gregorian calendar.
#include "calendar/hebrew_calendar.h"

namespace {

const int32_t kGregorianMonthDays[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// Where the search for the Hebrew month starts, by Gregorian month: never
// later in the Hebrew year than any day of that Gregorian month.
const int32_t kStartMonth[12] = {9, 10, 11, 12, 1, 2, 3, 4, 7, 7, 7, 8};

bool IsGregorianLeapYear(int32_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

}  // namespace

int32_t GregorianDayOfYear(int32_t month, int32_t day, int32_t year)
{
    int32_t result = day + 31 * (month - 1);
    if (month > 2) {
        result -= (4 * month + 23) / 10;
        if (IsGregorianLeapYear(year)) result += 1;
    }
    return result;
}

int32_t DayNumberFromGregorian(int32_t month, int32_t day, int32_t year)
{
    const int32_t before = year - 1;
    return GregorianDayOfYear(month, day, year) + 365 * before + before / 4 - before / 100 +
           before / 400;
}

CalendarDate GregorianFromDayNumber(int32_t dayNumber)
{
    const int32_t d0 = dayNumber - 1;
    const int32_t c400 = d0 / 146097, d1 = d0 % 146097;
    const int32_t c100 = d1 / 36524, d2 = d1 % 36524;
    const int32_t c4 = d2 / 1461, d3 = d2 % 1461;
    const int32_t c1 = d3 / 365;
    int32_t dayOfYear = d3 % 365 + 1;
    int32_t year = 400 * c400 + 100 * c100 + 4 * c4 + c1;
    // The fourth century or fourth year of a cycle is cut short: its extra day
    // is 31 December of the leap year that ends it.
    if (c100 == 4 || c1 == 4) return {12, 31, year};
    year += 1;
    const int32_t* lengths = kGregorianMonthDays[IsGregorianLeapYear(year) ? 1 : 0];
    int32_t month = 1;
    while (lengths[month - 1] < dayOfYear) {
        dayOfYear -= lengths[month - 1];
        ++month;
    }
    return {month, dayOfYear, year};
}

bool IsHebrewLeapYear(int32_t year)
{
    // In 64 bits: a date made outside the calendar (a typed or stored one)
    // may carry any 32-bit year.
    return (7 * int64_t{year} + 1) % 19 < 7;
}

int32_t HebrewMonthsInYear(int32_t year)
{
    return IsHebrewLeapYear(year) ? 13 : 12;
}

int32_t HebrewYearStart(int32_t year)
{
    const int32_t r = (year - 1) % 19;
    const int32_t months = 235 * ((year - 1) / 19) + 12 * r + (7 * r + 1) / 19;
    // Molad of Tishri in hours and parts (1080 parts to the hour); split to
    // keep every product inside 32 bits.
    const int32_t parts = 204 + 793 * (months % 1080);
    const int32_t hours = 5 + 12 * months + 793 * (months / 1080) + parts / 1080;
    int32_t day = 1 + 29 * months + hours / 24;
    const int32_t partsOfDay = 1080 * (hours % 24) + parts % 1080;

    const bool lateMolad = partsOfDay >= 19440;
    const bool tuesdayCommon = day % 7 == 2 && partsOfDay >= 9924 && !IsHebrewLeapYear(year);
    const bool mondayAfterLeap = day % 7 == 1 && partsOfDay >= 16789 && (7 * year - 6) % 19 < 7;
    if (lateMolad || tuesdayCommon || mondayAfterLeap) day += 1;
    // 1 Tishri never falls on Sunday, Wednesday or Friday.
    const int32_t weekday = day % 7;
    if (weekday == 0 || weekday == 3 || weekday == 5) day += 1;
    return day;
}

int32_t HebrewYearLength(int32_t year)
{
    return HebrewYearStart(year + 1) - HebrewYearStart(year);
}

int32_t HebrewMonthLength(int32_t month, int32_t year)
{
    switch (month) {
    case 2: case 4: case 6: case 10: case 13:
        return 29;
    case 12:
        return IsHebrewLeapYear(year) ? 30 : 29;
    case 8:
        return HebrewYearLength(year) % 10 == 5 ? 30 : 29;
    case 9:
        return HebrewYearLength(year) % 10 == 3 ? 29 : 30;
    default:
        return 30;
    }
}

int32_t DayNumberFromHebrew(int32_t month, int32_t day, int32_t year)
{
    int32_t sum = day;
    if (month < 7) {
        const int32_t last = HebrewMonthsInYear(year);
        for (int32_t m = 7; m <= last; ++m) sum += HebrewMonthLength(m, year);
        for (int32_t m = 1; m < month; ++m) sum += HebrewMonthLength(m, year);
    } else {
        for (int32_t m = 7; m < month; ++m) sum += HebrewMonthLength(m, year);
    }
    return sum + HebrewYearStart(year) - kHebrewEpochOffset;
}

CalendarDate HebrewFromDayNumber(int32_t dayNumber)
{
    const CalendarDate g = GregorianFromDayNumber(dayNumber);
    int32_t month = kStartMonth[g.month - 1];
    int32_t year = g.year + 3760;
    while (dayNumber >= DayNumberFromHebrew(7, 1, year + 1)) ++year;
    // Far from the present the calendars drift apart, and a day can lie in a
    // year that the loop above only reached by moving past the start month;
    // the walk must then begin at the year's first month.
    if (dayNumber < DayNumberFromHebrew(month, 1, year)) month = 7;
    while (dayNumber > DayNumberFromHebrew(month, HebrewMonthLength(month, year), year))
        month = month % HebrewMonthsInYear(year) + 1;
    return {month, dayNumber - DayNumberFromHebrew(month, 1, year) + 1, year};
}

int32_t LessonMonthIndex(const CalendarDate& hebrew)
{
    return hebrew.month == 12 && !IsHebrewLeapYear(hebrew.year) ? 14 : hebrew.month;
}

uint16_t LessonKeyOf(const CalendarDate& hebrew)
{
    return static_cast<uint16_t>(LessonMonthIndex(hebrew) * 256 + hebrew.day);
}
