// The calendar picker's state and the parts of it that are plain arithmetic:
// its geometry, the hit tests of month buttons, year boxes and day cells,
// the month and year steps by key, and the range of days it offers. The
// drawing is the Windows build's (calendar_picker_win32); it reaches this
// code's requests through a small painter table.
#pragma once
#include <cstdint>

#include "calendar/picker_month.h"
#include "page/device_ops.h"
#include "shell/platform_handles.h"

#ifdef _WIN32
using PickerFontDescription = LOGFONTW;
#else
// Same size as LOGFONTW; nothing reads it on the host.
struct PickerFontDescription {
    uint8_t bytes[92];
};
#endif

struct PickerRect {
    int32_t left, top, right, bottom;
};

// One static record, zeroed at every opening. It begins with the month state
// that ShowPickerMonth fills (g_pickerMonth is that part of it).
struct PickerState : PickerMonthState {
    uint8_t weekRows;        // week rows the last paint drew (5 or 6)
    uint8_t labelText[7];    // year or arrow label, at most 6 characters and a zero
    WindowHandle pickerWindow;
    DeviceHandle surface;    // kept from initialisation until the window goes
    FontHandle normalFont;
    FontHandle boldFont;
    PickerRect clientRect;
    PickerFontDescription fontDescription;
    int32_t gridTop, cellWidth, cellHeight, gridWidth, gridLeft;
    int32_t yearTop, yearHeight;
    int32_t prevArrowLeft, nextArrowLeft, arrowWidth;  // arrowWidth 0: not measured yet
};

extern PickerState g_pickerState;

// What the arithmetic asks of the drawing: a repaint of the picker on its
// surface, and one day cell drawn plain or selected. Without a painter
// (host builds, tests that do not install one) nothing is drawn.
struct PickerPainter {
    void (*paintPicker)();
    void (*drawDayCell)(int32_t day, int selected);
};
extern const PickerPainter* g_pickerPainter;

// Writes the year label into labelText and returns its length: " %d " (a
// space on each side) for years of up to four digits, the bare number for
// longer ones, which would not fit with the spaces.
int FormatYearLabel(int32_t year, uint8_t* label);

// Whether any day of the Hebrew month lies within the calendar's range
// (day numbers 1 .. 3,652,059, 1 January 1 .. 31 December 9999).
bool MonthInRange(int32_t month, int32_t year);

// Shows the month of (month, day, year): that day, or the nearest day of the
// month inside the range when it lies outside. The month must be in range.
int ShowPickerDate(int32_t month, int32_t day, int32_t year);

// The month grid of the shown month: week rows and horizontal rules to draw,
// and whether a sixth row left by the previous month must be cleared. Sets
// weekRows for the hit test.
struct MonthGridPlan {
    int rows;
    int lines;
    bool clearSixth;
};
MonthGridPlan PlanMonthGrid();

// Column (0 = Sunday) and row (1 = first week row; row 0 is the weekday
// header) of a day of the shown month.
struct GridCell {
    int column;
    int row;
};
GridCell DayCellPosition(int32_t day);

// Lays out the grid, the year header and the month buttons from clientRect
// and the height of boldFont on the surface.
void LayoutPicker();

// Hit tests of a click at client (x, y), each acting on a hit.
// The month whose button was hit (showing it), or 0.
int HitMonthButton(int32_t x, int32_t y);
// -1 or +1 for the previous or next year's box (stepping the year when the
// result stays in range), or 0 for a miss.
int HitYearBox(int32_t x, int32_t y);
// The day of the month whose cell was hit (marking it), or 0.
int HitDayCell(int32_t x, int32_t y);

// Month and year steps by virtual-key code 0x21..0x28; other keys do nothing.
void StepPickerByKey(int virtualKey);

// Shows shownDate's month again after its month or year changed (day 30
// becomes 29 in a shorter month) and repaints.
void RefreshPickerMonth();
