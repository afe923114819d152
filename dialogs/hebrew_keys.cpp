// The Latin-key layout, the picture's letters and the pattern conversion.
#include "dialogs/hebrew_keys.h"

#include "page/letter_code.h"

// The Hebrew typewriter layout on the Latin keys.
const LayoutKey kKeyboardLayout[kLayoutKeyCount] = {
    {u'a', 0xF9}, {u'b', 0xF0}, {u'c', 0xE1}, {u'd', 0xE2}, {u'e', 0xF7}, {u'f', 0xEB},
    {u'g', 0xF2}, {u'h', 0xE9}, {u'i', 0xEF}, {u'j', 0xE7}, {u'k', 0xEC}, {u'l', 0xEA},
    {u'm', 0xF6}, {u'n', 0xEE}, {u'o', 0xED}, {u'p', 0xF4}, {u'q', 0x2F}, {u'r', 0xF8},
    {u's', 0xE3}, {u't', 0xE0}, {u'u', 0xE5}, {u'v', 0xE4}, {u'w', 0x27}, {u'x', 0xF1},
    {u'y', 0xE8}, {u'z', 0xE6}, {u';', 0xF3}, {u'.', 0xF5}, {u',', 0xFA}, {u'/', 0x2E},
    {u'\'', 0x2C},
};

// In alphabetical order from the top right, each final form after its
// letter, so that a reader who does not know the Latin-key layout finds a
// letter where the alphabet puts it. resources/art/keyboard.txt draws the
// same letters in the same order.
const uint8_t kPictureKeys[28] = {
    0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,  // alef .. tet
    0x6A, 0x6C, 0x6B, 0x6D, 0x6F, 0x6E, 0x71, 0x70, 0x72,  // yod kaf final-kaf lamed mem final-mem nun final-nun samekh
    0x73, 0x75, 0x74, 0x77, 0x76, 0x78, 0x79, 0x7A, 0x7B,  // ayin pe final-pe tsadi final-tsadi qof resh shin tav
    0,
};

namespace {

constexpr int32_t kCodePageAlef = 224;
constexpr int32_t kCodePageTav = 250;

}  // namespace

int32_t MappedCharacter(char16_t typed, int32_t letterBase)
{
    if ((typed >= u'0' && typed <= u'9') || typed < 32) return -1;
    const char16_t key = typed >= u'A' && typed <= u'Z' ? typed - u'A' + u'a' : typed;
    for (const LayoutKey& k : kKeyboardLayout) {
        if (k.key != key) continue;
        if (k.target >= kCodePageAlef && k.target <= kCodePageTav)
            return letterBase + (k.target - kCodePageAlef);
        return k.target;
    }
    return typed;
}

int PictureKeyAt(int px, int py)
{
    if (px < 0 || py < 0 || px >= kPictureWidth || py >= kPictureHeight) return -1;
    const int row = py / kPictureKeyHeight;
    const int column = px / kPictureKeyWidth;
    if (row < kPictureKeyRows) {
        // The picture's last pixel column lies beyond the ninth key.
        if (column >= kPictureKeysPerRow) return -1;
        return kPictureKeysPerRow * (row + 1) - column;
    }
    // The space bar covers whole key columns 2..6: pixels 34..118.
    return column >= 2 && column <= 6 ? 0 : -1;
}

int HitKeyboardPicture(int x, int y, int baseUnitX, int baseUnitY)
{
    // The picture's left-top corner in pixels, less the offsets the
    // picture's own origin is measured from.
    const int px = x + 51 - (104 * baseUnitX) / 4;
    const int py = y + 25 - (71 * baseUnitY) / 8;
    return PictureKeyAt(px, py);
}

int32_t PictureKeyCharacter(int position, int32_t letterBase)
{
    if (position == 0) return u' ';
    if (position < 1 || position > 27) return -1;
    return letterBase + (kPictureKeys[position - 1] - kFirstLetterByte);
}

void StorePattern(const char16_t* text, int32_t letterBase, uint8_t pattern[kPatternCapacity])
{
    int out = 0;
    for (int i = 0; text[i] != 0 && out < kPatternCapacity - 1; ++i) {
        const char16_t c = text[i];
        if (c == u' ' && text[i + 1] == u' ') continue;  // a run of spaces: its last
        if (c >= letterBase && c < letterBase + 27)
            pattern[out++] = static_cast<uint8_t>(c - letterBase + kFirstLetterByte);
        else
            pattern[out++] = static_cast<uint8_t>(c & 0xFF);
    }
    pattern[out] = 0;
}
