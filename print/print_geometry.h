// Where a lesson goes on a printed page: the margins as the page setup gives
// them, the text area they leave, and the header and footer bands cut from
// it. Device units are printer dots; margins are thousandths of an inch.
#pragma once
#include <cstdint>

// Margins in thousandths of an inch, measured from the edges of the
// printer's printable area.
struct PrintMargins {
    int32_t left, top, right, bottom;
};

constexpr int32_t kDefaultPrintMargin = 1000;

// What the printer reports about its page.
struct PrintPage {
    int32_t dotsPerInchX, dotsPerInchY;  // LOGPIXELSX, LOGPIXELSY
    int32_t width, height;               // HORZRES, VERTRES: the printable area
};

struct PrintArea {
    int32_t left, top, width, height;
};

// The largest margin handed to the page-setup dialog: a stored value beyond
// it (or below 0) cannot have come from a page and is taken as the default.
constexpr int32_t kMaxDialogMargin = 100000;

// Margins fit for the page-setup dialog: each within 0..kMaxDialogMargin,
// any other stored value replaced by the default.
PrintMargins SaneDialogMargins(PrintMargins margins);

// Margins that leave a text area on the page: none below 0, and left and
// right (top and bottom) together at most three quarters of the printable
// width (height), shrunk in proportion when they take more. A page that
// reports no size or resolution keeps no margins at all.
PrintMargins ClampPrintMargins(PrintMargins margins, const PrintPage& page);

// The page less the margins, truncating toward zero:
// left = dpiX * left / 1000, width = HORZRES - dpiX * right / 1000 - left,
// and the same downwards.
PrintArea ComputePrintArea(const PrintPage& page, const PrintMargins& margins);

// The header band (headerHeight high, at the top of the margin area), the
// footer band (footerHeight high, at its bottom) and the text area between
// them, 5 dots clear of each.
struct PrintBands {
    PrintArea text;
    PrintArea header;
    PrintArea footer;
};
PrintBands ComputePrintBands(const PrintArea& marginArea, int32_t headerHeight,
                             int32_t footerHeight);

// Point size of a character `pixels` high on a device of `dotsPerInch`,
// rounded; 0 when either is not positive.
int32_t PointsOfPixels(int32_t pixels, int32_t dotsPerInch);
