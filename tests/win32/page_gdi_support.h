// Shared pieces of the Win32 page tests: lesson texts from records, fonts by
// face and size, and independent measurements of letter-coded runs.
#pragma once
#include "lesson_bytes.h"
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "page/font_record.h"
#include "page/text_view.h"


// Faces with Hebrew letters that Wine finds on this system.
constexpr wchar_t kFrankRuehl[] = L"Frank Ruehl CLM";
constexpr wchar_t kDejaVuSans[] = L"DejaVu Sans";

FontRecord MakeFont(const wchar_t* face, int32_t size);

// The width of letter-coded bytes in the font selected into `dc`, measured
// here without the page's code (Unicode letter base, stored order).
int32_t IndependentWidth(HDC dc, const uint8_t* bytes, int32_t count);

// A view on `dc` over `area`; the caller frees it with FreeTextView.
TextView* MakeGdiView(HDC dc, const ViewRect& area, const FontRecord& font);

// Lays out a copy of `text`; a refused copy is freed here.
int32_t LayCopy(TextView* view, const std::vector<uint8_t>& text);
