// The mark at the head of every printed page: the customary abbreviation of
// "with the help of Heaven", four units in display order (left to right as
// it stands on the page), its letters at their positions in the single-byte
// Hebrew code page.
#pragma once
#include <cstdint>

constexpr int kHeaderMarkLength = 4;
// Dalet, the double quote, Samekh, Bet: shown left to right as written at
// the head of a page, it reads Bet Samekh Dalet from the right.
constexpr char16_t kHeaderMark[kHeaderMarkLength] = {0xE3, 0x22, 0xF1, 0xE1};

// The code-page letters 0xE0..0xFA move into the Unicode Hebrew block by
// this much.
constexpr char16_t kCodePageToUnicode = 0x4F0;

// The units to draw for a letter base: raised into the Unicode block when
// the base is 0x5D0, as stored otherwise; and, when `reversed` (the Reverse
// option, which a system that orders right-to-left text itself needs), in
// reverse order, as the page's own runs are handed over. `out` gets the
// four units and a terminating zero.
void HeaderMarkUnits(int32_t letterBase, bool reversed, char16_t out[kHeaderMarkLength + 1]);
