// Helpers of the Win32 page tests.
#include "page_gdi_support.h"

#include <cstdlib>
#include <cstring>

#include "page/letter_code.h"

FontRecord MakeFont(const wchar_t* face, int32_t size)
{
    FontRecord font{};
    for (int i = 0; i < 31 && face[i]; ++i) font.faceName[i] = face[i];
    font.size = size;
    font.letterBase = kUnicodeLetterBase;
    return font;
}

int32_t IndependentWidth(HDC dc, const uint8_t* bytes, int32_t count)
{
    std::wstring units;
    for (int32_t i = 0; i < count; ++i) units.push_back(DisplayUnit(bytes[i], kUnicodeLetterBase));
    SIZE size = {};
    GetTextExtentPoint32W(dc, units.c_str(), int(units.size()), &size);
    return size.cx;
}

TextView* MakeGdiView(HDC dc, const ViewRect& area, const FontRecord& font)
{
    return NewTextView(dc, &area, &font, 100);
}

int32_t LayCopy(TextView* view, const std::vector<uint8_t>& text)
{
    auto* copy = static_cast<uint8_t*>(std::malloc(text.size()));
    std::memcpy(copy, text.data(), text.size());
    const int32_t result = LayoutText(view, copy, true);
    if (result != kLayoutDone) std::free(copy);
    return result;
}
