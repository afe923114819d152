// Pictures kept as text: one character per pixel, naming one of the sixteen
// standard Windows colours, or '.' for the background. The build turns them
// into the 16-colour .bmp and .ico files the resources need.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PixelArt {
    int width = 0;
    int height = 0;
    std::vector<int> pixels;  // palette index 0..15, or -1 for the background
    std::string label;        // from an "@ ..." line before the block, if any
};

// Reads the pictures of a text file: blocks of equal-length rows separated by
// blank lines; lines starting with '#' are comments, a line starting with
// '@' labels the block that follows it. Returns false with a
// message naming the line when the file cannot be read or is malformed.
bool ReadPixelArt(const std::string& path, std::vector<PixelArt>& pictures, std::string& error);

// Places pictures of equal height side by side.
PixelArt JoinSideBySide(const std::vector<PixelArt>& pictures);

// A 4-bit .bmp file; the background becomes `background` (a palette index).
std::vector<uint8_t> EncodeBitmap(const PixelArt& art, int background);

// Whether a picture is black and white, so that a 1-bit bitmap loses
// nothing: only black, white (15) and the background are used.
bool IsBlackAndWhite(const PixelArt& art);

// A .ico file holding each picture as a 16-colour image; the background is
// transparent.
std::vector<uint8_t> EncodeIcon(const std::vector<PixelArt>& images);

// A 1-bit .bmp file: palette index 0 (black) is ink, everything else paper
// (white).
std::vector<uint8_t> EncodeMonochromeBitmap(const PixelArt& art);
