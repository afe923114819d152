// A date as month, day and year: Gregorian (month 1..12) or Hebrew (month
// 1 Nisan .. 6 Elul, 7 Tishri .. 12 Adar or Adar I, 13 Adar II).
#pragma once
#include <cstdint>

struct CalendarDate {
    int32_t month;
    int32_t day;
    int32_t year;
};

inline bool operator==(const CalendarDate& a, const CalendarDate& b)
{
    return a.month == b.month && a.day == b.day && a.year == b.year;
}
