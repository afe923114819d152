// Painting of laid-out views with GDI, the scroll position, the search
// banner, and the main view of the window. Windows build only.
#pragma once
#include <windows.h>

#include <cstdint>

#include "page/text_view.h"

// Draws `count` letter-coded bytes centred in the box (x, y, width, height)
// with DrawTextW, in display order when the Reverse flag is set. Returns
// DrawTextW's result (0 when the run could not be converted).
int DrawRun(HDC device, const uint8_t* bytes, int32_t count, int32_t x, int32_t y,
            int32_t width, int32_t height);

// DrawRun in the given text and background colours; restores both.
int DrawRunColored(HDC device, const uint8_t* bytes, int32_t count, int32_t x, int32_t y,
                   int32_t width, int32_t height, COLORREF text, COLORREF background);

// Fills the box (x, y, width, height) with a stock brush (WHITE_BRUSH...).
void FillBox(HDC device, int32_t x, int32_t y, int32_t width, int32_t height, int stockBrush);

// Draws `count` nested one-pixel outlines in `colour`, the first on the box
// (left, top, right, bottom), each next one a pixel further in.
void DrawFrame(HDC device, int32_t left, int32_t top, int32_t right, int32_t bottom,
               COLORREF colour, int count);

// Draws the rows from topRow (or from the page start) down to the bottom of
// the area, then the search hit. Returns 0, -1 without text or lines, or
// PaintHighlight's result when there is a hit.
int PaintView(TextView* view, int erase);

// Draws the search hit, blue on yellow, over the rows shown.
int PaintHighlight(TextView* view);

// Draws the part of the run of `length` bytes at `start` (at x, y) that lies
// inside the view's search hit.
void DrawHighlightPart(TextView* view, const uint8_t* text, uint16_t start, int32_t length,
                       int32_t x, int32_t y);

// Moves topRow by `delta` within its limits (`clamp`: refuse to go down
// once at maxTopRow). `repaint` 1 paints when the row changed, any other
// non-zero value paints always. Returns -1 without a view, the paint's
// result when painted, else 3 when the row changed and 1 when not.
int ScrollView(TextView* view, int32_t delta, int repaint, int clamp);

// Draws the names of the lesson from its title records at the bottom of the
// area, red on yellow in a frame; nothing when the text has none.
void ShowSearchBanner(TextView* view);

// With a font record: takes it, re-creates every cached font, lays the text
// out again and repaints (1 when the layout failed, else the paint's
// result). With none: deletes the view's fonts and returns 0.
int SetViewFont(TextView* view, const FontRecord* font);

// The face the system gave the view's normal text font (GetTextFaceW), at
// most `capacity` units with the zero: the face the page is drawn in, also
// when its font record names none. False without a view or a name.
bool ViewFaceName(TextView* view, wchar_t* face, int capacity);

// Builds the main page at main-window creation: date font and band, the
// view, today's lesson laid out at the stored scroll position. The window
// is created whatever happens here.
void CreateMainView(HWND window);

// Replaces g_app.dateFont: 14 units high, the chosen face or, without one,
// any face with Hebrew letters.
void CreateDateFont();
