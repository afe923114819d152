// The page's measuring and font seam implemented with GDI, for windows and
// printers alike.
#include <windows.h>

#include "page/device_ops.h"

namespace {

const wchar_t* Wide(const char16_t* units)
{
    return reinterpret_cast<const wchar_t*>(units);
}

FontHandle GdiCreateFont(HDC device, const char16_t* faceName, int32_t points, int32_t weight)
{
    LOGFONTW font = {};
    for (int i = 0; i < LF_FACESIZE - 1 && faceName && faceName[i]; ++i)
        font.lfFaceName[i] = faceName[i];
    // Negative: the character height, so that points mean the same on every
    // device whatever its resolution.
    font.lfHeight = -MulDiv(points, GetDeviceCaps(device, LOGPIXELSY), 72);
    font.lfWeight = weight;
    // The face by its name, whatever character sets it declares: asked for
    // with the ANSI set, a face made only for Hebrew (all of Culmus) is
    // passed over for another one.
    font.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirectW(&font);
}

void GdiDeleteFont(FontHandle font)
{
    DeleteObject(font);
}

FontHandle GdiSelectFont(HDC device, FontHandle font)
{
    return static_cast<HFONT>(SelectObject(device, font));
}

void GdiSetTextColor(HDC device, uint32_t colour)
{
    SetTextColor(device, colour);
}

FontMetrics GdiFontMetrics(HDC device)
{
    TEXTMETRICW metrics = {};
    if (!GetTextMetricsW(device, &metrics)) return FontMetrics{0, 0};
    return FontMetrics{metrics.tmHeight, metrics.tmMaxCharWidth};
}

int32_t GdiFitCount(HDC device, const char16_t* units, int32_t count, int32_t limit)
{
    if (count <= 0) return 0;
    int fit = 0;
    SIZE size;
    if (!GetTextExtentExPointW(device, Wide(units), count, limit, &fit, nullptr, &size)) return 0;
    return fit;
}

int32_t GdiTextWidth(HDC device, const char16_t* units, int32_t count)
{
    if (count <= 0) return 0;
    SIZE size = {};
    if (!GetTextExtentExPointW(device, Wide(units), count, 0, nullptr, nullptr, &size)) return 0;
    return size.cx;
}

const DeviceOps kGdiDevice = {GdiCreateFont, GdiDeleteFont, GdiSelectFont, GdiSetTextColor,
                              GdiFontMetrics, GdiFitCount, GdiTextWidth};

}  // namespace

const DeviceOps* g_deviceOps = &kGdiDevice;
