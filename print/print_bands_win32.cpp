// The footer and the header mark of a printed page.
#include <windows.h>

#include <cstdio>
#include <string>

#include "page/convert_letters.h"
#include "page/letter_code.h"
#include "print/header_mark.h"
#include "print/print_bands.h"
#include "print/print_geometry.h"
#include "print/print_win32.h"
#include "shell/app_state.h"
#include "shell/maker.h"

namespace {

constexpr UINT kLeftFlags = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;  // 0x824
constexpr UINT kRightFlags = kLeftFlags | DT_RIGHT;                     // 0x826
// RIGHT-TO-LEFT OVERRIDE, as the page's own reversed runs are drawn.
constexpr wchar_t kRightToLeftOverride = 0x202E;

RECT BoxOf(const PrintArea& area)
{
    return RECT{area.left, area.top, area.left + area.width, area.top + area.height};
}

// The header mark is display-order Hebrew like the page's text and follows
// the page's Reverse rule: with the option set (a system that orders
// right-to-left text itself) it is handed over reversed behind the override
// and so stands on paper as stored; without it, as stored.
void DrawHeaderMark(HDC device, RECT box, int32_t letterBase)
{
    const bool reversed = (g_app.flags & kReverseFlag) && letterBase != kIdentityLetterBase;
    char16_t units[kHeaderMarkLength + 1];
    HeaderMarkUnits(letterBase, reversed, units);
    std::wstring text;
    UINT flags = kRightFlags;
    if (reversed) {
        text.push_back(kRightToLeftOverride);
        flags |= DT_RTLREADING;
        // Faces that give the override an advance of its own would push the
        // mark left by it.
        SIZE override = {};
        if (GetTextExtentPoint32W(device, &kRightToLeftOverride, 1, &override)) box.right += override.cx;
    }
    text.append(reinterpret_cast<const wchar_t*>(units), kHeaderMarkLength);
    DrawTextW(device, text.c_str(), static_cast<int>(text.size()), &box, flags);
}

}  // namespace

void DrawPrintBands(TextView* view, int32_t a, int32_t b, int page)
{
    HDC device = view->device;
    const HFONT previous = SelectStyleFont(view, kFooterFontKey);
    SetBkMode(device, TRANSPARENT);

    const PrintArea margin = {view->left, view->top - a - 5, view->width, view->height + a + b + 10};
    const PrintBands bands = ComputePrintBands(margin, a, b);

    RECT footer = BoxOf(bands.footer);
    const std::wstring maker = std::wstring(kMakerSite) + L" -- Lumora";
    DrawTextW(device, maker.c_str(), -1, &footer, kLeftFlags);
    wchar_t number[32];
    std::swprintf(number, 32, L" Page %d", page);
    DrawTextW(device, number, -1, &footer, kRightFlags);

    SelectStyleFont(view, kHeaderFontKey);
    DrawHeaderMark(device, BoxOf(bands.header), view->font.letterBase);

    if (previous) SelectObject(device, previous);
}
