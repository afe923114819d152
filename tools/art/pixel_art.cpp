// Reading text pictures and writing 16-colour BMP and ICO files.
#include "pixel_art.h"

#include <fstream>

namespace {

// The sixteen standard colours, as BGR0 palette entries.
const uint8_t kPalette[16][4] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},     {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0},   {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},     {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0},   {255, 255, 0, 0}, {255, 255, 255, 0},
};

int PaletteIndex(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c == '.') return -1;
    return -2;
}

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

size_t RowBytes(int width, int bitsPerPixel)
{
    return ((static_cast<size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

// BITMAPINFOHEADER, palette and the 4-bit pixel rows, bottom row first.
void PutDib(std::vector<uint8_t>& out, const PixelArt& art, int background, int headerHeight)
{
    const size_t row = RowBytes(art.width, 4);
    Put32(out, 40);
    Put32(out, art.width);
    Put32(out, headerHeight);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(row * art.height));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (const auto& c : kPalette) out.insert(out.end(), c, c + 4);
    for (int y = art.height - 1; y >= 0; --y) {
        std::vector<uint8_t> bytes(row, 0);
        for (int x = 0; x < art.width; ++x) {
            int p = art.pixels[y * art.width + x];
            if (p < 0) p = background;
            bytes[x / 2] |= static_cast<uint8_t>(x % 2 ? p : p << 4);
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
}

}  // namespace

bool ReadPixelArt(const std::string& path, std::vector<PixelArt>& pictures, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    std::string line;
    int lineNumber = 0;
    PixelArt current;
    auto finish = [&] {
        if (current.height > 0) pictures.push_back(current);
        current = PixelArt{};
    };
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '#') continue;
        if (!line.empty() && line[0] == '@') {
            if (current.height > 0) {
                error = path + ":" + std::to_string(lineNumber) + ": a label inside a picture";
                return false;
            }
            const size_t text = line.find_first_not_of(' ', 1);
            current.label = text == std::string::npos ? "" : line.substr(text);
            continue;
        }
        if (line.empty()) {
            finish();
            continue;
        }
        if (current.height > 0 && static_cast<int>(line.size()) != current.width) {
            error = path + ":" + std::to_string(lineNumber) + ": row of another length";
            return false;
        }
        current.width = static_cast<int>(line.size());
        for (size_t i = 0; i < line.size(); ++i) {
            const int p = PaletteIndex(line[i]);
            if (p == -2) {
                error = path + ":" + std::to_string(lineNumber) + ":" + std::to_string(i + 1) +
                        ": not a colour (0-9, A-F or .)";
                return false;
            }
            current.pixels.push_back(p);
        }
        ++current.height;
    }
    finish();
    if (pictures.empty()) {
        error = path + ": no picture";
        return false;
    }
    return true;
}

PixelArt JoinSideBySide(const std::vector<PixelArt>& pictures)
{
    PixelArt joined;
    joined.height = pictures.front().height;
    for (const PixelArt& p : pictures) joined.width += p.width;
    joined.pixels.resize(static_cast<size_t>(joined.width) * joined.height);
    int left = 0;
    for (const PixelArt& p : pictures) {
        for (int y = 0; y < p.height && y < joined.height; ++y)
            for (int x = 0; x < p.width; ++x)
                joined.pixels[y * joined.width + left + x] = p.pixels[y * p.width + x];
        left += p.width;
    }
    return joined;
}

std::vector<uint8_t> EncodeBitmap(const PixelArt& art, int background)
{
    std::vector<uint8_t> dib;
    PutDib(dib, art, background, art.height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(14 + dib.size()));
    Put32(out, 0);
    Put32(out, 14 + 40 + 64);  // pixels follow the header and the palette
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

bool IsBlackAndWhite(const PixelArt& art)
{
    for (int p : art.pixels)
        if (p != 0 && p != 15 && p != -1) return false;
    return true;
}

std::vector<uint8_t> EncodeIcon(const std::vector<PixelArt>& images)
{
    std::vector<std::vector<uint8_t>> bodies;
    for (const PixelArt& art : images) {
        std::vector<uint8_t> body;
        // An icon's DIB is twice as tall: the colour rows, then the mask rows.
        PutDib(body, art, 0, art.height * 2);
        const size_t row = RowBytes(art.width, 1);
        for (int y = art.height - 1; y >= 0; --y) {
            std::vector<uint8_t> mask(row, 0);
            for (int x = 0; x < art.width; ++x)
                if (art.pixels[y * art.width + x] < 0) mask[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            body.insert(body.end(), mask.begin(), mask.end());
        }
        bodies.push_back(body);
    }
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].width));
        out.push_back(static_cast<uint8_t>(images[i].height));
        out.push_back(16);  // colours
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 4);
        Put32(out, static_cast<uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& b : bodies) out.insert(out.end(), b.begin(), b.end());
    return out;
}

std::vector<uint8_t> EncodeMonochromeBitmap(const PixelArt& art)
{
    const size_t row = RowBytes(art.width, 1);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(14 + 40 + 8 + row * art.height));
    Put32(out, 0);
    Put32(out, 14 + 40 + 8);  // pixels follow the header and two palette entries
    Put32(out, 40);
    Put32(out, art.width);
    Put32(out, art.height);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(row * art.height));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 2);
    Put32(out, 0);
    out.insert(out.end(), kPalette[0], kPalette[0] + 4);
    out.insert(out.end(), kPalette[15], kPalette[15] + 4);
    for (int y = art.height - 1; y >= 0; --y) {
        std::vector<uint8_t> bytes(row, 0);
        for (int x = 0; x < art.width; ++x)
            if (art.pixels[y * art.width + x] != 0) bytes[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}
