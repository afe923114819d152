// The page's header mark in the units a printer is given.
#include "print/header_mark.h"

#include "page/letter_code.h"

void HeaderMarkUnits(int32_t letterBase, bool reversed, char16_t out[kHeaderMarkLength + 1])
{
    for (int i = 0; i < kHeaderMarkLength; ++i) {
        char16_t unit = kHeaderMark[i];
        if (letterBase == kUnicodeLetterBase && unit >= 0xE0 && unit <= 0xFA)
            unit = static_cast<char16_t>(unit + kCodePageToUnicode);
        out[reversed ? kHeaderMarkLength - 1 - i : i] = unit;
    }
    out[kHeaderMarkLength] = 0;
}
