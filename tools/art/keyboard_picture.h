// The search dialog's keyboard picture, composed from the letters drawn in
// resources/art/keyboard.txt: three rows of nine framed keys numbered from
// the top right, right to left, and a space bar below.
#pragma once
#include <string>
#include <vector>

#include "pixel_art.h"

// Where a letter stands inside its 17 x 25 key.
constexpr int kGlyphLeft = 3;
constexpr int kGlyphTop = 3;
constexpr int kGlyphWidth = 11;
constexpr int kGlyphHeight = 19;

// Left-top pixel of key position 1..27.
void KeyOrigin(int position, int* x, int* y);

// The 154 x 95 picture with `letters[k]` on key position k + 1; false with a
// message when there are not 27 letters of the glyph size, or a letter's
// label does not begin with its key position.
bool ComposeKeyboard(const std::vector<PixelArt>& letters, PixelArt& picture, std::string& error);
