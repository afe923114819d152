// The search banner's two lines: the texts of a lesson's title records, and
// the framed box they are drawn in.
#pragma once
#include <cstdint>

#include "page/text_view.h"

struct BannerLine {
    const uint8_t* text;  // none when the lesson has no such record
    int32_t length;       // bytes; after measuring, the bytes that fit
    int32_t width;        // measured width
};

// The first line is the text of a first record of style 0xDC, the second
// that of a 0xD1 record directly after it (or standing first).
void FindBannerLines(const uint8_t* text, BannerLine* first, BannerLine* second);

struct BannerBox {
    int32_t left, top, right, bottom;
};

// The outer box of the banner for `lines` lines `lineHeight` high, the
// widest `widest` wide: centred at the bottom of the view's area.
BannerBox BannerFrame(const TextView& view, int32_t widest, int32_t lineHeight, int lines);

// Outlines drawn around the banner; the text box lies this far inside.
constexpr int kBannerFrameWidth = 5;
