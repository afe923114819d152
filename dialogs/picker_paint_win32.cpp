// Drawing the calendar picker on the surface it keeps: the year header with
// its two year boxes, the month buttons and the month grid. Every step puts
// back what it selects, so between steps the surface holds its defaults
// (black pen, white brush, default font, black on white, opaque).
#include <windows.h>

#include <cstring>

#include "dialogs/calendar_picker_win32.h"
#include "dialogs/picker_state.h"
#include "page/text_view.h"

namespace {

constexpr char kWeekdayLetters[] = "SMTWTFS";
// Two characters a day: days 1-9 are the digit and a space.
constexpr char kDayLabels[] = "1 2 3 4 5 6 7 8 9 10111213141516171819202122232425262728293031";
constexpr char kPreviousYearLabel[] = "  <<  ";
constexpr char kNextYearLabel[] = "  >>  ";
constexpr COLORREF kWhiteColour = RGB(255, 255, 255);
constexpr COLORREF kBlackColour = RGB(0, 0, 0);

HDC Surface()
{
    return g_pickerState.surface;
}

const uint8_t* Bytes(const char* text)
{
    return reinterpret_cast<const uint8_t*>(text);
}

const uint8_t* DayLabel(int32_t day)
{
    return Bytes(kDayLabels + 2 * (day - 1));
}

void FillWith(int32_t left, int32_t top, int32_t right, int32_t bottom, HBRUSH brush)
{
    RECT box = {left, top, right, bottom};
    FillRect(Surface(), &box, brush);
}

HBRUSH Stock(int brush)
{
    return static_cast<HBRUSH>(GetStockObject(brush));
}

// A label in a one-pixel black frame: the frame is the black fill left
// around the label's opaque white background.
void FramedBox(int32_t x, int32_t width)
{
    const PickerState& s = g_pickerState;
    FillWith(x - 1, s.yearTop - 1, x + width + 1, s.yearTop + s.yearHeight + 1, Stock(BLACK_BRUSH));
}

void DrawYearHeader()
{
    PickerState& s = g_pickerState;
    const int32_t width = s.clientRect.right - s.clientRect.left;
    const int labelLength = FormatYearLabel(s.shownDate.year, s.labelText);
    HGDIOBJ previousFont = SelectObject(Surface(), s.boldFont);

    int32_t yearWidth = width, fit = labelLength;
    MeasureRun(Surface(), s.labelText, &yearWidth, &fit);
    const int32_t x = (width - yearWidth) / 2;
    // The label of the year shown before may have been wider: clear the
    // space between the year boxes first.
    if (s.arrowWidth != 0)
        FillWith(s.prevArrowLeft + s.arrowWidth + 1, s.yearTop - 1, s.nextArrowLeft - 1,
                 s.yearTop + s.yearHeight + 1, GetSysColorBrush(COLOR_BTNFACE));
    FramedBox(x, yearWidth);
    DrawShortLabel(s.labelText, fit, x, s.yearTop, yearWidth, s.yearHeight);

    std::memcpy(s.labelText, kPreviousYearLabel, sizeof kPreviousYearLabel);
    if (s.arrowWidth == 0) {
        // Measured once per opening; the boxes then stay where they are.
        s.nextArrowLeft = x + yearWidth + 10;
        int32_t arrowWidth = width, count = 6;
        MeasureRun(Surface(), s.labelText, &arrowWidth, &count);
        s.arrowWidth = arrowWidth;
        s.prevArrowLeft = x - s.arrowWidth - 10;
    }
    FramedBox(s.prevArrowLeft, s.arrowWidth);
    DrawRun(Surface(), s.labelText, 6, s.prevArrowLeft, s.yearTop, s.arrowWidth, s.yearHeight);
    std::memcpy(s.labelText, kNextYearLabel, sizeof kNextYearLabel);
    FramedBox(s.nextArrowLeft, s.arrowWidth);
    DrawRun(Surface(), s.labelText, 6, s.nextArrowLeft, s.yearTop, s.arrowWidth, s.yearHeight);

    SelectObject(Surface(), previousFont);
}

void DrawMonthName(const MonthButton& b, int selected)
{
    HGDIOBJ previousFont = SelectObject(Surface(), g_pickerState.normalFont);
    const uint8_t* name = Bytes(b.name);
    const int32_t length = static_cast<int32_t>(std::strlen(b.name));
    const int32_t x = b.left + 1, y = b.top + 1, w = b.right - b.left - 1, h = b.bottom - b.top - 1;
    if (selected)
        DrawRunColored(Surface(), name, length, x, y, w, h, kWhiteColour, kBlackColour);
    else
        DrawRun(Surface(), name, length, x, y, w, h);
    SelectObject(Surface(), previousFont);
}

}  // namespace

void PaintPicker()
{
    PickerState& s = g_pickerState;
    if (s.pickerRedraw & RedrawMonths) DrawMonthButtons();
    DrawMonthGrid();
    DrawMonthButton(s.shownDate.month, 1);
    if (s.selectedDate.year == s.shownDate.year && s.selectedDate.month == s.shownDate.month)
        DrawDayCell(s.selectedDate.day, 1);
    if (s.pickerRedraw & RedrawYear) DrawYearHeader();
    s.pickerRedraw = 0;
}

void DrawMonthButtons()
{
    if (g_pickerState.pickerRedraw & LeapLayout) {
        // The seam between Adar II and Adar I, left over from a full button.
        const MonthButton& b = g_monthButtons[13];
        FillWith(b.right - 1, b.top + 1, b.right + 1, b.bottom - 1, GetSysColorBrush(COLOR_BTNFACE));
    }
    for (int k = 1; g_monthButtons[k].name; ++k) {
        const MonthButton& b = g_monthButtons[k];
        Rectangle(Surface(), b.left + 1, b.top + 1, b.right - 1, b.bottom - 1);
        DrawMonthName(b, 0);
    }
}

void DrawMonthButton(int32_t month, int selected)
{
    if (month < 1 || month > 12 + g_pickerState.shownLeap) return;
    const MonthButton& b = g_monthButtons[month];
    HGDIOBJ previousPen = SelectObject(Surface(), GetStockObject(selected ? WHITE_PEN : BLACK_PEN));
    HGDIOBJ previousBrush = SelectObject(Surface(), GetStockObject(selected ? BLACK_BRUSH : WHITE_BRUSH));
    Rectangle(Surface(), b.left + 1, b.top + 1, b.right - 1, b.bottom - 1);
    SelectObject(Surface(), previousBrush);
    SelectObject(Surface(), previousPen);
    DrawMonthName(b, selected);
}

void DrawMonthGrid()
{
    PickerState& s = g_pickerState;
    HGDIOBJ previousPen = SelectObject(Surface(), GetStockObject(BLACK_PEN));
    HGDIOBJ previousFont = SelectObject(Surface(), s.normalFont);
    const MonthGridPlan plan = PlanMonthGrid();
    DrawGridCells();
    SelectObject(Surface(), s.boldFont);

    for (int i = 0; i < 7; ++i)
        DrawRun(Surface(), Bytes(kWeekdayLetters + i), 1, s.gridLeft + i * s.cellWidth + 1, s.gridTop + 1,
                s.cellWidth - 2, s.cellHeight - 2);
    for (int k = 0; k <= plan.lines; ++k) {
        const int32_t y = s.gridTop + k * s.cellHeight;
        Rectangle(Surface(), s.gridLeft, y, s.gridLeft + s.gridWidth, y + 1);
    }
    if (plan.clearSixth)
        FillWith(s.gridLeft, s.gridTop + plan.lines * s.cellHeight + 1, s.gridLeft + s.gridWidth,
                 s.gridTop + (plan.lines + 1) * s.cellHeight + 1, GetSysColorBrush(COLOR_BTNFACE));

    for (int32_t day = 1; day <= s.shownMonthDays; ++day) {
        const GridCell cell = DayCellPosition(day);
        DrawShortLabel(DayLabel(day), 2, s.gridLeft + cell.column * s.cellWidth + 1,
                       s.gridTop + cell.row * s.cellHeight + 1, s.cellWidth - 2, s.cellHeight - 2);
    }
    s.weekRows = static_cast<uint8_t>(DayCellPosition(s.shownMonthDays).row);

    SelectObject(Surface(), previousFont);
    SelectObject(Surface(), previousPen);
}

void DrawGridCells()
{
    const PickerState& s = g_pickerState;
    HGDIOBJ previousPen = SelectObject(Surface(), GetStockObject(BLACK_PEN));
    HGDIOBJ previousBrush = SelectObject(Surface(), GetStockObject(WHITE_BRUSH));
    // White cells whose black borders touch: each is a pixel wider and
    // higher than its step.
    for (int row = 0; row <= s.weekRows; ++row) {
        for (int column = 0; column < 7; ++column) {
            const int32_t left = s.gridLeft + column * s.cellWidth;
            const int32_t top = s.gridTop + row * s.cellHeight;
            Rectangle(Surface(), left, top, left + s.cellWidth + 1, top + s.cellHeight + 1);
        }
    }
    SelectObject(Surface(), previousBrush);
    SelectObject(Surface(), previousPen);
}

void DrawDayCell(int32_t day, int selected)
{
    const PickerState& s = g_pickerState;
    if (day < 1 || day > s.shownMonthDays) return;
    const GridCell cell = DayCellPosition(day);
    const int32_t left = s.gridLeft + cell.column * s.cellWidth + 1;
    const int32_t top = s.gridTop + cell.row * s.cellHeight + 1;
    FillWith(left, top, left + s.cellWidth - 1, top + s.cellHeight - 1, Stock(selected ? BLACK_BRUSH : WHITE_BRUSH));
    // In the surface's own font: this step selects none.
    if (selected)
        DrawShortLabelColored(DayLabel(day), 2, left, top, s.cellWidth, s.cellHeight, kWhiteColour, kBlackColour);
    else
        DrawShortLabel(DayLabel(day), 2, left, top, s.cellWidth, s.cellHeight);
}

void DrawShortLabel(const uint8_t* text, int count, int32_t x, int32_t y, int32_t width, int32_t height)
{
    // Plain ASCII: each byte is one UTF-16 unit.
    wchar_t units[7] = {};
    if (count > 6) count = 6;
    if (count < 0) count = 0;
    for (int i = 0; i < count; ++i) units[i] = static_cast<wchar_t>(static_cast<signed char>(text[i]));
    RECT box = {x, y, x + width, y + height};
    DrawTextW(Surface(), units, count, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawShortLabelColored(const uint8_t* text, int count, int32_t x, int32_t y, int32_t width,
                           int32_t height, COLORREF textColour, COLORREF background)
{
    const COLORREF oldText = SetTextColor(Surface(), textColour);
    const COLORREF oldBackground = SetBkColor(Surface(), background);
    DrawShortLabel(text, count, x, y, width, height);
    SetBkColor(Surface(), oldBackground);
    SetTextColor(Surface(), oldText);
}
