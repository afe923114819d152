// Hebrew typed on a Latin keyboard: the key layout, the letters of the
// on-screen keyboard picture, and the search box's text turned into the
// letter-coded pattern. Table code, no window needed.
#pragma once
#include <cstdint>

// One key of the layout: a Latin key and its target in the single-byte
// Hebrew code page (224..250 are the letters alef..tav, anything else is
// inserted as that character).
struct LayoutKey {
    char16_t key;
    uint8_t target;
};
constexpr int kLayoutKeyCount = 31;
extern const LayoutKey kKeyboardLayout[kLayoutKeyCount];

// The character a typed character puts into the search box for a letter
// base: capitals map like small letters; a character that is no key of the
// layout is inserted as typed. -1 for digits and control characters, which
// are left to the edit control.
int32_t MappedCharacter(char16_t typed, int32_t letterBase);

// The keyboard picture: 154 x 95 pixels, three rows of nine 17 x 25 keys
// numbered 1..27 from the top right, each row right to left; the space bar
// in pixel columns 34..118 of the strip below.
constexpr int kPictureWidth = 154;
constexpr int kPictureHeight = 95;
constexpr int kPictureKeyWidth = 17;
constexpr int kPictureKeyHeight = 25;
constexpr int kPictureKeysPerRow = 9;
constexpr int kPictureKeyRows = 3;
constexpr int kSpaceBarLeft = 34;
constexpr int kSpaceBarRight = 118;

// The letter code (0x61..0x7B) shown on key positions 1..27, then a zero.
extern const uint8_t kPictureKeys[28];

// The key position under a click at dialog client (x, y), for a picture
// placed at dialog units (104, 71) with the given dialog base units: 1..27
// a letter key, 0 the space bar, -1 no key.
int HitKeyboardPicture(int x, int y, int baseUnitX, int baseUnitY);

// The key position under a pixel of the picture itself, as above.
int PictureKeyAt(int px, int py);

// The character picture key `position` types: a space for 0, the key's
// letter for 1..27; -1 for any other position.
int32_t PictureKeyCharacter(int position, int32_t letterBase);

// The search box's text (zero-terminated, in the box's order) as the
// letter-coded pattern: letters to their codes, anything else by its low 8
// bits, each run of spaces as one space; at most 33 bytes and a zero.
constexpr int kPatternCapacity = 34;
void StorePattern(const char16_t* text, int32_t letterBase, uint8_t pattern[kPatternCapacity]);
