// The search banner: the lesson's title lines, red on yellow in a red, white
// and blue frame at the bottom of the page, drawn after a search found it.
#include <windows.h>

#include <initializer_list>

#include "page/banner_lines.h"
#include "page/lesson_text.h"
#include "page/paint_view_win32.h"

void ShowSearchBanner(TextView* view)
{
    if (!view || !view->text) return;
    BannerLine first, second;
    FindBannerLines(view->text, &first, &second);
    if (first.length == 0 && second.length == 0) return;

    HDC device = view->device;
    const HFONT oldFont = SelectStyleFont(view, STYLE_SMALL | FONT_KEY_COLOR);
    const int32_t h = g_deviceOps->fontMetrics(device).height;
    const int lines = first.length && second.length ? 2 : 1;
    for (BannerLine* line : {&first, &second}) {
        if (line->length == 0) continue;
        line->width = view->width;
        MeasureRun(device, line->text, &line->width, &line->length);
    }
    const int32_t widest = first.width > second.width ? first.width : second.width;

    BannerBox box = BannerFrame(*view, widest, h, lines);
    DrawFrame(device, box.left, box.top, box.right, box.bottom, kRed, 2);
    DrawFrame(device, box.left + 2, box.top + 2, box.right - 2, box.bottom - 2, kWhite, 1);
    DrawFrame(device, box.left + 3, box.top + 3, box.right - 3, box.bottom - 3, kBlue, 2);
    RECT inner = {box.left + kBannerFrameWidth, box.top + kBannerFrameWidth,
                  box.right - kBannerFrameWidth, box.bottom - kBannerFrameWidth};
    if (HBRUSH yellow = CreateSolidBrush(kYellow)) {
        FillRect(device, &inner, yellow);
        DeleteObject(yellow);
    }

    int32_t y = inner.top;
    const int32_t innerWidth = inner.right - inner.left;
    for (const BannerLine* line : {&first, &second}) {
        if (line->length == 0) continue;
        DrawRunColored(device, line->text, line->length, inner.left + (innerWidth - line->width) / 2,
                       y, line->width, h, kRed, kYellow);
        y += h;
    }
    if (oldFont) SelectObject(device, oldFont);
}
