// Composing the keyboard picture from its letters.
#include "keyboard_picture.h"

namespace {

constexpr int kWidth = 154, kHeight = 95;
constexpr int kKeyWidth = 17, kKeyHeight = 25;
constexpr int kInk = 0, kPaper = -1;

// A one-pixel outline with its corners cut, so neighbouring keys stay apart.
void Frame(PixelArt& picture, int left, int top, int right, int bottom)
{
    for (int x = left + 1; x < right; ++x) {
        picture.pixels[top * kWidth + x] = kInk;
        picture.pixels[bottom * kWidth + x] = kInk;
    }
    for (int y = top + 1; y < bottom; ++y) {
        picture.pixels[y * kWidth + left] = kInk;
        picture.pixels[y * kWidth + right] = kInk;
    }
}

}  // namespace

void KeyOrigin(int position, int* x, int* y)
{
    const int row = (position - 1) / 9;
    const int column = 8 - (position - 1) % 9;  // key 1 is the rightmost
    *x = column * kKeyWidth;
    *y = row * kKeyHeight;
}

bool ComposeKeyboard(const std::vector<PixelArt>& letters, PixelArt& picture, std::string& error)
{
    if (letters.size() != 27) {
        error = "the keyboard needs 27 letters, not " + std::to_string(letters.size());
        return false;
    }
    picture = PixelArt{};
    picture.width = kWidth;
    picture.height = kHeight;
    picture.pixels.assign(kWidth * kHeight, kPaper);
    for (int position = 1; position <= 27; ++position) {
        const PixelArt& letter = letters[position - 1];
        if (letter.width != kGlyphWidth || letter.height != kGlyphHeight) {
            error = "letter of key " + std::to_string(position) + " is not 11 x 19";
            return false;
        }
        if (letter.label.rfind(std::to_string(position) + " ", 0) != 0) {
            error = "letter of key " + std::to_string(position) + " is labelled \"" + letter.label + "\"";
            return false;
        }
        int x = 0, y = 0;
        KeyOrigin(position, &x, &y);
        Frame(picture, x + 1, y + 1, x + kKeyWidth - 2, y + kKeyHeight - 2);
        for (int gy = 0; gy < kGlyphHeight; ++gy)
            for (int gx = 0; gx < kGlyphWidth; ++gx)
                if (letter.pixels[gy * kGlyphWidth + gx] == kInk)
                    picture.pixels[(y + kGlyphTop + gy) * kWidth + x + kGlyphLeft + gx] = kInk;
    }
    // The space bar: pixel columns 34..118 of the strip below the keys.
    Frame(picture, 35, 78, 117, 91);
    return true;
}
