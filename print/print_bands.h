// The header and footer bands of a printed page, cut from the print view's
// area before the lesson is painted into what remains.
#pragma once
#include <cstdint>

#include "page/text_view.h"

// The two 8-point fonts of the bands: the footer's texts and the band
// heights use the first, the header mark the second.
constexpr uint32_t kFooterFontKey = FONT_KEY_TINY;          // 0x1000
constexpr uint32_t kHeaderFontKey = FONT_KEY_TINY | 0x10;   // 0x1010

// Measures the two band fonts (a: key 0x1000, b: key 0x1010) and shrinks
// the view's area by the header band (a + 5 at the top) and the footer band
// (b + 5 at the bottom). Restores the font selected before.
void ReservePrintBands(TextView* view, int32_t* headerHeight, int32_t* footerHeight);
