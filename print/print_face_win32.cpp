// The face a lesson is printed in, and the printed size of the default
// font size: what the printer driver needs that the screen does not.
#include <windows.h>

#include <cstring>

#include "page/lesson_text.h"
#include "print/print_win32.h"

namespace {

// The OpenType table that holds CFF (PostScript) outlines.
constexpr DWORD kCffTable = 'C' | ('F' << 8) | ('F' << 16) | (' ' << 24);

// Whether a face, as the system resolves its name, has TrueType outlines
// (not CFF ones, nor a bitmap or vector font).
bool HasTrueTypeOutlines(HDC device, const wchar_t* face)
{
    LOGFONTW wanted = {};
    wanted.lfHeight = -16;
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectW(&wanted);
    if (!font) return false;
    HGDIOBJ previous = SelectObject(device, font);
    TEXTMETRICW metrics = {};
    const bool trueType = GetTextMetricsW(device, &metrics) &&
                          (metrics.tmPitchAndFamily & TMPF_TRUETYPE) &&
                          GetFontData(device, kCffTable, 0, nullptr, 0) == GDI_ERROR;
    SelectObject(device, previous);
    DeleteObject(font);
    return trueType;
}

struct FaceSearch {
    HDC device;
    wchar_t found[LF_FACESIZE];
};

int CALLBACK TakeTrueTypeHebrewFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data)
{
    auto* search = reinterpret_cast<FaceSearch*>(data);
    // Vertical variants ("@Face") are not for a page.
    if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == L'@') return 1;
    if (!HasTrueTypeOutlines(search->device, font->lfFaceName)) return 1;
    wcsncpy(search->found, font->lfFaceName, LF_FACESIZE - 1);
    return 0;
}

// Faces with Hebrew letters and TrueType outlines, in the order they are
// preferred for a lesson; the first one present is taken, else any other.
constexpr const wchar_t* kPreferredFaces[] = {L"Frank Ruehl CLM", L"Noto Serif Hebrew",
                                               L"Times New Roman", L"Arial", L"DejaVu Sans"};

bool FaceWithHebrew(HDC device, const wchar_t* face, FaceSearch* search)
{
    LOGFONTW query = {};
    query.lfCharSet = HEBREW_CHARSET;
    if (face) wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    search->found[0] = 0;
    EnumFontFamiliesExW(device, &query, TakeTrueTypeHebrewFace, reinterpret_cast<LPARAM>(search), 0);
    return search->found[0] != 0;
}

}  // namespace

void ChoosePrintableFace(HDC screen, FontRecord* font)
{
    const auto* face = reinterpret_cast<const wchar_t*>(font->faceName);
    if (!face[0] || HasTrueTypeOutlines(screen, face)) return;
    FaceSearch search = {screen, {}};
    bool found = false;
    for (const wchar_t* preferred : kPreferredFaces)
        if ((found = FaceWithHebrew(screen, preferred, &search))) break;
    if (!found) found = FaceWithHebrew(screen, nullptr, &search);
    // Without any such face the chosen one is kept: nothing better exists.
    if (!found) return;
    std::memset(font->faceName, 0, sizeof font->faceName);
    std::memcpy(font->faceName, search.found, wcslen(search.found) * sizeof(wchar_t));
}

int32_t ScreenDefaultPoints(TextView* mainView)
{
    HDC device = mainView->device;
    const HFONT previous = SelectStyleFont(mainView, STYLE_NORMAL);
    TEXTMETRICW metrics = {};
    const bool measured = GetTextMetricsW(device, &metrics);
    if (previous) SelectObject(device, previous);
    if (!measured) return 0;
    // The character height: the cell less its internal leading, as a
    // negative LOGFONT height asks for.
    return PointsOfPixels(metrics.tmHeight - metrics.tmInternalLeading,
                          GetDeviceCaps(device, LOGPIXELSY));
}
