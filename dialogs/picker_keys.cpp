// Month and year steps of the calendar picker, by key and after a month
// button or year box changed the month on show.
#include "dialogs/picker_state.h"

#include "calendar/hebrew_calendar.h"

void RefreshPickerMonth()
{
    PickerState& s = g_pickerState;
    if (s.shownDate.day == 30 && HebrewMonthLength(s.shownDate.month, s.shownDate.year) < 30)
        s.shownDate.day = 29;
    ShowPickerDate(s.shownDate.month, s.shownDate.day, s.shownDate.year);
    s.pickerRedraw |= RedrawMonths;
    if (g_pickerPainter) g_pickerPainter->paintPicker();
}

void StepPickerByKey(int virtualKey)
{
    PickerState& s = g_pickerState;
    const int32_t lastMonth = 12 + s.shownLeap;
    int32_t month = s.shownDate.month;
    int32_t year = s.shownDate.year;
    switch (virtualKey) {
    case 0x21: year -= 1; break;          // Page Up
    case 0x22: year += 1; break;          // Page Down
    case 0x23: month = lastMonth; break;  // End
    case 0x24: month = 1; break;          // Home
    case 0x25:                            // Left, Down: the next month
    case 0x28:
        month = month >= lastMonth ? 1 : month + 1;
        if (month == 7) year += 1;  // the year begins with Tishri
        break;
    case 0x26:                            // Up, Right: the previous month
    case 0x27:
        month = month <= 1 ? lastMonth : month - 1;
        if (month == 6) year -= 1;
        break;
    default: return;
    }
    const bool yearChanged = year != s.shownDate.year;
    if (yearChanged && month > 12 + (IsHebrewLeapYear(year) ? 1 : 0)) month = 12;
    if (!MonthInRange(month, year)) return;  // beyond the calendar's range
    s.shownDate.month = month;
    if (yearChanged) {
        s.shownDate.year = year;
        s.pickerRedraw |= RedrawMonths | RedrawYear;
    }
    RefreshPickerMonth();
}
