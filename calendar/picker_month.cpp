// Month data of the calendar picker.
#include "calendar/picker_month.h"

#include <cstring>

#include "calendar/current_day.h"
#include "calendar/date_line.h"
#include "calendar/hebrew_calendar.h"

MonthButton g_monthButtons[15] = {
    {},
    {0, 0, 0, 0, HebrewMonthName(1, false)},
    {0, 0, 0, 0, HebrewMonthName(2, false)},
    {0, 0, 0, 0, HebrewMonthName(3, false)},
    {0, 0, 0, 0, HebrewMonthName(4, false)},
    {0, 0, 0, 0, HebrewMonthName(5, false)},
    {0, 0, 0, 0, HebrewMonthName(6, false)},
    {0, 0, 0, 0, HebrewMonthName(7, false)},
    {0, 0, 0, 0, HebrewMonthName(8, false)},
    {0, 0, 0, 0, HebrewMonthName(9, false)},
    {0, 0, 0, 0, HebrewMonthName(10, false)},
    {0, 0, 0, 0, HebrewMonthName(11, false)},
    {0, 0, 0, 0, HebrewMonthName(12, false)},
    {},
    {},
};
MonthButton g_commonYearPair[2] = {{0, 0, 0, 0, HebrewMonthName(12, false)}, {}};
MonthButton g_leapYearPair[2] = {{0, 0, 0, 0, HebrewMonthName(12, true)},
                                 {0, 0, 0, 0, HebrewMonthName(13, true)}};

int ShowPickerMonth(int32_t day, int select)
{
    const bool today = day == 0;
    if (today) day = TodayDayNumber();
    PickerMonthState& s = g_pickerMonth;
    const uint8_t previousLeap = s.shownLeap;
    s.shownDay = day;
    s.shownDate = HebrewFromDayNumber(day);
    // Day 1 of the month holding day number 1 lies before it, below 1: a
    // truncating remainder would be negative there.
    const int32_t first = day - s.shownDate.day + 1;
    s.firstWeekday = static_cast<uint8_t>((first % 7 + 7) % 7);
    s.shownLeap = IsHebrewLeapYear(s.shownDate.year) ? 1 : 0;

    if (s.shownLeap != previousLeap || today || select) {
        std::memcpy(&g_monthButtons[12], s.shownLeap ? g_leapYearPair : g_commonYearPair,
                    sizeof g_leapYearPair);
        s.pickerRedraw |= RedrawMonths;
        if (select) {
            s.selectedDay = s.shownDay;
            s.selectedDate = s.shownDate;
        }
        if (s.shownLeap) s.pickerRedraw |= LeapLayout;
    }
    s.shownMonthDays = static_cast<uint8_t>(HebrewMonthLength(s.shownDate.month, s.shownDate.year));
    return s.shownMonthDays;
}
