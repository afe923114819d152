// What a click in the calendar picker hits: a month button, a year box or a
// day cell, and what each does.
#include "dialogs/picker_state.h"

#include "calendar/hebrew_calendar.h"

namespace {

void Paint()
{
    if (g_pickerPainter) g_pickerPainter->paintPicker();
}

void DrawDay(int32_t day, int selected)
{
    if (g_pickerPainter) g_pickerPainter->drawDayCell(day, selected);
}

}  // namespace

int HitMonthButton(int32_t x, int32_t y)
{
    PickerState& s = g_pickerState;
    // The first match wins: on a shared edge, the lower month number.
    for (int k = 1; g_monthButtons[k].name; ++k) {
        const MonthButton& b = g_monthButtons[k];
        if (x < b.left || x > b.right || y < b.top || y > b.bottom) continue;
        // A month wholly outside the calendar's range is not shown.
        if (k != s.shownDate.month && MonthInRange(k, s.shownDate.year)) {
            s.shownDate.month = k;
            RefreshPickerMonth();
        }
        return k;
    }
    return 0;
}

int HitYearBox(int32_t x, int32_t y)
{
    PickerState& s = g_pickerState;
    if (y < s.yearTop || y > s.yearTop + s.yearHeight) return 0;
    if (x < s.prevArrowLeft || x > s.nextArrowLeft + s.arrowWidth) return 0;
    int step = 0;
    if (x <= s.prevArrowLeft + s.arrowWidth)
        step = -1;
    else if (x >= s.nextArrowLeft)
        step = 1;
    else
        return 0;  // the year itself

    const int32_t year = s.shownDate.year + step;
    int32_t month = s.shownDate.month, day = s.shownDate.day;
    // Adar II exists only in leap years, and the neighbours of a leap year
    // are common years.
    if (month == 13)
        month = 12;
    else if (day == 30 && HebrewMonthLength(month, year) < 30)
        day = 29;
    if (!MonthInRange(month, year)) return step;  // nothing to show there
    ShowPickerDate(month, day, year);
    s.pickerRedraw |= RedrawMonths | RedrawYear;
    Paint();
    return step;
}

int HitDayCell(int32_t x, int32_t y)
{
    PickerState& s = g_pickerState;
    const int32_t dx = x - s.gridLeft;
    const int32_t dy = y - (s.gridTop + s.cellHeight);
    if (dx < 0 || dx > s.gridWidth || dy < 0 || dy > s.weekRows * s.cellHeight) return 0;
    if (s.cellWidth <= 0 || s.cellHeight <= 0) return 0;
    // The grid's right and bottom borders belong to the cells beside them,
    // not to a column or row beyond the grid.
    const int32_t column = dx / s.cellWidth < 6 ? dx / s.cellWidth : 6;
    const int32_t row = dy / s.cellHeight < s.weekRows ? dy / s.cellHeight : s.weekRows - 1;
    const int32_t day = column + 7 * row - s.firstWeekday + 1;
    if (day < 1 || day > s.shownMonthDays) return 0;
    const int32_t dayNumber = s.shownDay + day - s.shownDate.day;
    // Days at either end of the calendar's range cannot be chosen.
    if (!IsValidDayNumber(dayNumber)) return 0;
    s.shownDay = dayNumber;
    DrawDay(s.shownDate.day, 0);
    DrawDay(day, 1);
    s.selectedDate = CalendarDate{s.shownDate.month, day, s.shownDate.year};
    s.shownDate.day = day;
    return day;
}
