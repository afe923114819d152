// lumora-art: turns the text pictures in resources/art into the toolbar
// bitmap and the program icon.
//   lumora-art bitmap IN.txt OUT.bmp      pictures side by side, background grey
//   lumora-art icon OUT.ico IN.txt...     one icon image per picture
//   lumora-art keyboard IN.txt OUT.bmp    the search dialog's keyboard, 1 bit
//   lumora-art mono IN.txt OUT.bmp        one black-and-white picture, 1 bit
//                                         per pixel, background white
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "keyboard_picture.h"
#include "pixel_art.h"

namespace {

constexpr int kButtonFace = 7;  // light grey: the toolbar maps it to the button colour

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "lumora-art: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    if (args.size() == 3 && args[0] == "bitmap") {
        std::vector<PixelArt> pictures;
        if (!ReadPixelArt(args[1], pictures, error)) return Fail(error);
        for (const PixelArt& p : pictures)
            if (p.height != pictures.front().height) return Fail(args[1] + ": pictures of different heights");
        if (!WriteFile(args[2], EncodeBitmap(JoinSideBySide(pictures), kButtonFace)))
            return Fail(args[2] + ": cannot be written");
        return 0;
    }
    if (args.size() == 3 && args[0] == "mono") {
        std::vector<PixelArt> pictures;
        if (!ReadPixelArt(args[1], pictures, error)) return Fail(error);
        if (pictures.size() != 1) return Fail(args[1] + ": one picture expected");
        if (!IsBlackAndWhite(pictures.front()))
            return Fail(args[1] + ": only 0 (black), F (white) and . (background) in a 1-bit picture");
        if (!WriteFile(args[2], EncodeMonochromeBitmap(pictures.front()))) return Fail(args[2] + ": cannot be written");
        return 0;
    }
    if (args.size() >= 3 && args[0] == "icon") {
        std::vector<PixelArt> images;
        for (size_t i = 2; i < args.size(); ++i) {
            std::vector<PixelArt> pictures;
            if (!ReadPixelArt(args[i], pictures, error)) return Fail(error);
            images.insert(images.end(), pictures.begin(), pictures.end());
        }
        for (const PixelArt& p : images)
            if (p.width > 255 || p.height > 255) return Fail("icon images are at most 255 pixels");
        if (!WriteFile(args[1], EncodeIcon(images))) return Fail(args[1] + ": cannot be written");
        return 0;
    }
    if (args.size() == 3 && args[0] == "keyboard") {
        std::vector<PixelArt> letters;
        PixelArt picture;
        if (!ReadPixelArt(args[1], letters, error) || !ComposeKeyboard(letters, picture, error))
            return Fail(error);
        if (!WriteFile(args[2], EncodeMonochromeBitmap(picture))) return Fail(args[2] + ": cannot be written");
        return 0;
    }
    return Fail("usage: lumora-art bitmap IN.txt OUT.bmp | lumora-art icon OUT.ico IN.txt... | "
                "lumora-art keyboard IN.txt OUT.bmp | lumora-art mono IN.txt OUT.bmp");
}
