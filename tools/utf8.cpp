// UTF-8 decoding and encoding.
#include "utf8.h"

#include <cstdio>

DecodedLine DecodeUtf8(std::string_view bytes)
{
    DecodedLine line;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (b0 < 0x80) {
            c = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            extra = 1, c = b0 & 0x1F, least = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            extra = 2, c = b0 & 0x0F, least = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            extra = 3, c = b0 & 0x07, least = 0x10000;
        } else {
            extra = -1;
        }
        bool good = extra >= 0 && i + extra < bytes.size();
        for (int k = 1; good && k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80) good = false;
            c = c << 6 | (b & 0x3F);
        }
        if (good && (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) good = false;
        if (!good) {
            if (line.badColumn == 0) line.badColumn = static_cast<int>(line.text.size()) + 1;
            ++i;
            continue;
        }
        line.text.push_back(c);
        i += extra + 1;
    }
    return line;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | c >> 18));
        out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string EncodeUtf8(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char32_t c : text) AppendUtf8(out, c);
    return out;
}

std::string DescribeCharacter(char32_t c)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    // Control characters and combining marks are unreadable on their own.
    const bool visible = c > 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) &&
                         !(c >= 0x591 && c <= 0x5C7);
    if (!visible) return code;
    std::string out = "'";
    AppendUtf8(out, c);
    return out + "' (" + code + ")";
}
