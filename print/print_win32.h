// Printing the shown lesson: page setup, the printer's device context and
// the job, and the page bands drawn with GDI. Windows build only.
#pragma once
#include <windows.h>

#include <cstdint>

#include "page/text_view.h"
#include "print/print_geometry.h"

// The device mode the last successful page setup of this run returned;
// stands in for the stored "DevMode" when that cannot be read.
extern HGLOBAL cachedDevMode;

// Prints the main view's lesson after asking for page setup: laid out anew
// for the printer, page after page with the header mark and the footer.
void PrintLesson(TextView* mainView);

// Page setup (always with `ask`, else only when no device mode is stored),
// then the printer's device context with its document and first page
// started. Messages for the failures are shown here. `margins` gets the
// margins in force, which are stored. None when nothing is to be printed.
HDC BeginPrintJob(bool ask, const wchar_t* documentName, PrintMargins* margins);

// Ends (or with `abort`, abandons) the document and deletes the context;
// DeleteDC's result, 0 without a context.
BOOL EndPrintJob(HDC device, bool abort);

// A new movable block with the bytes of a stored device mode, or `fallback`
// when there is none or they cannot be a device mode.
HGLOBAL ReadDevMode(const wchar_t* valueName, HGLOBAL fallback);

// The words for the page-setup dialog's last failure, or none.
const wchar_t* PrintErrorText();

// Draws one page's footer (the maker's address and product at the left,
// " Page n" at the right) and header mark, in the bands ReservePrintBands
// left around the view's area.
void DrawPrintBands(TextView* view, int32_t headerHeight, int32_t footerHeight, int page);

// The face to print the view's lesson in: the chosen one when the printer
// can take its outlines, else a TrueType face with Hebrew letters (the
// PostScript driver cannot print CFF-flavoured OpenType faces).
void ChoosePrintableFace(HDC screen, FontRecord* font);

// Points of the screen's normal text when the font size is 0 (the screen's
// default height), measured on the main view's device.
int32_t ScreenDefaultPoints(TextView* mainView);
