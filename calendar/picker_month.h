// The month data the calendar picker draws: the shown month's Hebrew date,
// the weekday of its first day, its length, and which month strip (common or
// leap year) its month buttons use.
#pragma once
#include <cstdint>
#include "calendar/calendar_date.h"

// One month button of the picker: its box in client pixels and its name.
struct MonthButton {
    uint16_t top, left, bottom, right;
    const char* name;  // letter-coded; null ends the table
};

// Redraw requests to the picker's painter.
constexpr uint8_t RedrawMonths = 1;
constexpr uint8_t RedrawYear = 4;
constexpr uint8_t LeapLayout = 8;

// The first fields of the picker's state, filled by ShowPickerMonth.
struct PickerMonthState {
    CalendarDate shownDate;
    CalendarDate selectedDate;
    int32_t shownDay;
    int32_t selectedDay;
    uint8_t shownLeap;
    uint8_t firstWeekday;
    uint8_t shownMonthDays;
    uint8_t pickerRedraw;
};

// Month-button table: slot 0 unused, slots 1..11 months 1..11, slots 12 and
// 13 months 12 and 13 (the month strip, copied from one of the pairs below),
// slot 14 the end record.
extern MonthButton g_monthButtons[15];
// Beside the table: the common-year pair (month 12, end record) and the
// leap-year pair (month 12 as Adar I, month 13).
extern MonthButton g_commonYearPair[2];
extern MonthButton g_leapYearPair[2];

// The picker's month state: the first part of the picker's state record,
// zeroed by the picker each time it opens.
extern PickerMonthState& g_pickerMonth;

// Shows the month of `day` (0 = today) and returns its number of days.
int ShowPickerMonth(int32_t day, int select);
