// The Hebrew date line: day, month name and year in Hebrew letter numerals,
// letter-coded and in display order, like lesson text.
#pragma once
#include <cstdint>
#include "calendar/calendar_date.h"

constexpr int kDateTextSize = 20;  // the longest line is 17 bytes and a zero

// Month name of a Hebrew month (1..12 of a common year, 1..13 of a leap year),
// letter-coded in display order; nullptr outside those ranges.
const char* HebrewMonthName(int32_t month, bool leapYear);

// Writes the date line and its zero into `out` (kDateTextSize bytes) and
// returns its length, or 0 (nothing written) when the date or buffer is
// missing or the month lies outside the year.
int FormatHebrewDate(const CalendarDate* date, uint8_t* out);
