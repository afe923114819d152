// Drawing primitives of the page, the date band and the calendar: runs of
// letter-coded text, filled boxes and nested outlines.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "page/convert_letters.h"
#include "page/letter_code.h"
#include "page/paint_view_win32.h"
#include "shell/app_state.h"

namespace {

// RIGHT-TO-LEFT OVERRIDE: every character after it is laid out right to left
// whatever its own direction.
constexpr char16_t kRightToLeftOverride = 0x202E;

// Runs handed over reversed, behind the override; grows to the longest run
// drawn and is kept, like the conversion buffer.
ConvertBuffer g_overrideBuffer;

bool DrawnReversed(uint32_t count)
{
    return count > 0 && (g_app.flags & kReverseFlag) && g_app.font.letterBase != kIdentityLetterBase;
}

// The reversed run behind the override. With the Reverse flag the system is
// one that orders Hebrew right to left; left to the characters' own
// directions it would put digits, and the marks and spaces at a run's ends,
// elsewhere than stored. Behind the override, read right to left, the run is
// reversed as a whole: stored order again, with the brackets that the
// reversal swapped mirrored back on the screen. (Right-to-left reading also
// keeps Wine from centring the run as if the override had a width.)
const char16_t* BehindOverride(const char16_t* units, uint32_t count)
{
    if (g_overrideBuffer.capacity < count + 1) {
        auto* grown = static_cast<char16_t*>(std::malloc((size_t(count) + 2) * sizeof(char16_t)));
        if (!grown) return units;
        std::free(g_overrideBuffer.storage);
        g_overrideBuffer.storage = grown;
        g_overrideBuffer.capacity = count + 1;
    }
    g_overrideBuffer.storage[0] = kRightToLeftOverride;
    std::memcpy(g_overrideBuffer.storage + 1, units, (size_t(count) + 1) * sizeof(char16_t));
    return g_overrideBuffer.storage;
}

}  // namespace

int DrawRun(HDC device, const uint8_t* bytes, int32_t count, int32_t x, int32_t y,
            int32_t width, int32_t height)
{
    const uint32_t n = count > 0 ? static_cast<uint32_t>(count) : 0;
    const char16_t* units = ConvertLetters(bytes, nullptr, &g_convertBuffer, n);
    if (!units) return 0;
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    // Boxes come from measurement: the text fills its box and centring
    // absorbs rounding.
    RECT box = {x, y, x + width, y + height};
    if (DrawnReversed(n)) {
        units = BehindOverride(units, std::char_traits<char16_t>::length(units));
        format |= DT_RTLREADING;
        // Some faces (all of Culmus) give the override an advance of its
        // own; it stands blank at the run's right end. The box grows by it
        // there, or the run is pushed left and its last letter clipped.
        SIZE override = {};
        if (GetTextExtentPoint32W(device, reinterpret_cast<const wchar_t*>(units), 1, &override))
            box.right += override.cx;
    }
    return DrawTextW(device, reinterpret_cast<const wchar_t*>(units), -1, &box, format);
}

int DrawRunColored(HDC device, const uint8_t* bytes, int32_t count, int32_t x, int32_t y,
                   int32_t width, int32_t height, COLORREF text, COLORREF background)
{
    const COLORREF oldText = SetTextColor(device, text);
    const COLORREF oldBackground = SetBkColor(device, background);
    const int result = DrawRun(device, bytes, count, x, y, width, height);
    SetBkColor(device, oldBackground);
    SetTextColor(device, oldText);
    return result;
}

void FillBox(HDC device, int32_t x, int32_t y, int32_t width, int32_t height, int stockBrush)
{
    RECT box = {x, y, x + width, y + height};
    FillRect(device, &box, static_cast<HBRUSH>(GetStockObject(stockBrush)));
}

void DrawFrame(HDC device, int32_t left, int32_t top, int32_t right, int32_t bottom,
               COLORREF colour, int count)
{
    HPEN pen = CreatePen(PS_SOLID, 0, colour);
    HGDIOBJ oldPen = pen ? SelectObject(device, pen) : nullptr;
    for (int i = 0; i < count; ++i) {
        // The interior takes the device's current brush.
        if (pen) Rectangle(device, left, top, right, bottom);
        ++left, ++top, --right, --bottom;
    }
    if (pen) {
        SelectObject(device, oldPen);
        DeleteObject(pen);
    }
}
