// The Hebrew date and lesson key of a Gregorian day, as `date` prints it.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "calendar/calendar_date.h"

// "YYYY-MM-DD" as a Gregorian date, checked against the month's length.
std::optional<CalendarDate> ParseIsoDate(std::string_view text);

// Lines: gregorian, day number, weekday, Hebrew date with month number,
// lesson month index and lesson key, e.g. for 2026-12-07
//   gregorian 2026-12-07
//   day 739957
//   weekday Monday
//   hebrew 27 Kislev 5787 (month 9)
//   index 9
//   key 0x091B
std::string DateReport(const CalendarDate& gregorian);
