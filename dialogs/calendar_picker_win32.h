// The calendar picker: a Hebrew month on a dialog that draws everything
// itself (month buttons, year boxes, day grid) and returns the chosen day.
#pragma once
#include <windows.h>

#include <cstdint>

// Runs the picker modally over `owner` on the month of `day` (0 = today),
// with fonts of `faceName` (empty: a Hebrew face). Returns the day number of
// the clicked day, or 0 when the picker was closed without a choice.
int32_t PickCalendarDay(HINSTANCE instance, HWND owner, int32_t day, const wchar_t* faceName);

INT_PTR CALLBACK PickerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Drawing on the picker's surface (picker_paint_win32.cpp).
void PaintPicker();
void DrawMonthButtons();
void DrawMonthButton(int32_t month, int selected);
void DrawMonthGrid();
void DrawGridCells();
void DrawDayCell(int32_t day, int selected);
void DrawShortLabel(const uint8_t* text, int count, int32_t x, int32_t y, int32_t width, int32_t height);
void DrawShortLabelColored(const uint8_t* text, int count, int32_t x, int32_t y, int32_t width,
                           int32_t height, COLORREF textColour, COLORREF background);
