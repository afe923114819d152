// Gregorian and Hebrew calendar arithmetic on day numbers.
// Day 1 is Monday 1 January of year 1 (proleptic Gregorian); the weekday of a
// day number is its value mod 7 with 0 = Sunday. Pure integer functions,
// defined for years of 1 and above.
#pragma once
#include <cstdint>
#include "calendar/calendar_date.h"

// Offset between the elapsed-day count of HebrewYearStart and day numbers.
constexpr int32_t kHebrewEpochOffset = 1373429;

int32_t GregorianDayOfYear(int32_t month, int32_t day, int32_t year);
int32_t DayNumberFromGregorian(int32_t month, int32_t day, int32_t year);
CalendarDate GregorianFromDayNumber(int32_t dayNumber);

bool IsHebrewLeapYear(int32_t year);
int32_t HebrewMonthsInYear(int32_t year);
int32_t HebrewYearStart(int32_t year);
int32_t HebrewYearLength(int32_t year);
int32_t HebrewMonthLength(int32_t month, int32_t year);
int32_t DayNumberFromHebrew(int32_t month, int32_t day, int32_t year);
CalendarDate HebrewFromDayNumber(int32_t dayNumber);

// Day numbers of 1 January 1 .. 31 December 9999, the range the calendar
// functions are defined for.
constexpr int32_t kFirstDayNumber = 1;
constexpr int32_t kLastDayNumber = 3652059;
inline bool IsValidDayNumber(int32_t day)
{
    return day >= kFirstDayNumber && day <= kLastDayNumber;
}

// Lesson month index 1..14: the Hebrew month, except that the single Adar of
// a common year (month 12) is 14.
int32_t LessonMonthIndex(const CalendarDate& hebrew);
// Lesson key: high byte the lesson month index, low byte the day of the month.
uint16_t LessonKeyOf(const CalendarDate& hebrew);

// Today's Gregorian date from the local clock (platform code).
CalendarDate TodayGregorian();
