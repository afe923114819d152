// The calendar picker's state record, its range of days, the year label and
// the shape of the month grid.
#include "dialogs/picker_state.h"

#include <cstdio>

#include "calendar/hebrew_calendar.h"

PickerState g_pickerState;
PickerMonthState& g_pickerMonth = g_pickerState;
const PickerPainter* g_pickerPainter = nullptr;

int FormatYearLabel(int32_t year, uint8_t* label)
{
    constexpr int size = sizeof g_pickerState.labelText;
    // " 10000 " and its zero would need eight bytes; Hebrew years reach five
    // digits within the range (10000 .. 13760 fall in 6240 .. 9999).
    const bool spaced = year > -1000 && year < 10000;
    const int written =
        std::snprintf(reinterpret_cast<char*>(label), size, spaced ? " %d " : "%d", static_cast<int>(year));
    return written < 0 ? 0 : written < size ? written : size - 1;
}

bool MonthInRange(int32_t month, int32_t year)
{
    const int32_t first = DayNumberFromHebrew(month, 1, year);
    const int32_t last = first + HebrewMonthLength(month, year) - 1;
    return last >= kFirstDayNumber && first <= kLastDayNumber;
}

int ShowPickerDate(int32_t month, int32_t day, int32_t year)
{
    int32_t n = DayNumberFromHebrew(month, day, year);
    // Day numbers below 1 mean nothing to the calendar (and 0 would mean
    // today); a month at either end of the range keeps to its part inside.
    if (n < kFirstDayNumber) n = kFirstDayNumber;
    if (n > kLastDayNumber) n = kLastDayNumber;
    return ShowPickerMonth(n, 0);
}

MonthGridPlan PlanMonthGrid()
{
    PickerState& s = g_pickerState;
    MonthGridPlan plan = {5, 6, false};
    // Only a 30-day month beginning on a Saturday reaches a sixth week row.
    if (s.firstWeekday == 6 && s.shownMonthDays == 30) {
        plan = {6, 7, false};
    } else {
        plan.clearSixth = s.weekRows == 6;
    }
    s.weekRows = static_cast<uint8_t>(plan.rows);
    return plan;
}

GridCell DayCellPosition(int32_t day)
{
    const int32_t p = g_pickerState.firstWeekday + day - 1;
    return GridCell{static_cast<int>(p % 7), static_cast<int>(p / 7 + 1)};
}
