// Painting a laid-out view: each row shown converted and drawn centred in
// the box the layout measured for it, rules as one-pixel black lines.
#include <windows.h>

#include "page/lesson_text.h"
#include "page/line_parts.h"
#include "page/paint_view_win32.h"
#include "page/view_rows.h"

namespace {

// Rules and the terminator have no font of their own: they start with the
// normal one.
uint32_t StartKey(const LineItem& line)
{
    return line.style == 0 || IsRuleStyle(line.style) ? STYLE_NORMAL : line.style;
}

void DrawRule(HDC device, const LineItem& line, int32_t y)
{
    const int32_t middle = y + line.height / 2;
    HGDIOBJ oldBrush = SelectObject(device, GetStockObject(BLACK_BRUSH));
    Rectangle(device, line.x, middle, line.x + line.width, middle + 1);
    SelectObject(device, oldBrush);
}

void DrawTextLine(TextView* view, const LineItem& line, int32_t y)
{
    HDC device = view->device;
    const uint8_t* text = view->text;
    const LineParts parts = SplitLine(text, line);
    if (parts.hangCount) {
        // The hanging word is cut to its column.
        int32_t width = line.hangWidth;
        int32_t count = parts.hangCount;
        MeasureRun(device, text + parts.hangStart, &width, &count);
        DrawRun(device, text + parts.hangStart, count, HangingWordX(line, width), y, width,
                line.height);
    }
    DrawRun(device, text + parts.mainStart, line.count, line.x, y, line.width, line.height);
}

}  // namespace

int PaintView(TextView* view, int erase)
{
    if (!view || !view->text || !view->lineItems || view->lineItems[0].style == 0) return -1;
    view->rowsPainted = 0;
    HDC device = view->device;
    const FirstRow start = FindPaintStart(view);
    LineItem* line = start.line;
    int32_t y = start.y;
    int32_t available = start.available;

    const COLORREF oldColour = GetTextColor(device);
    const HFONT oldFont = SelectStyleFont(view, StartKey(*line) | FONT_KEY_COLOR);
    uint32_t fontKey = line->style & STYLE_FONT_MASK;
    if (erase) FillBox(device, view->left, view->top, view->width, view->height, WHITE_BRUSH);

    for (; line->style != 0 && available >= line->height; ++line) {
        const int32_t h = line->height;
        if (IsRuleStyle(line->style)) {
            DrawRule(device, *line, y);
        } else {
            if ((line->style & STYLE_FONT_MASK) != fontKey) {
                SelectStyleFont(view, line->style | FONT_KEY_COLOR);
                fontKey = line->style & STYLE_FONT_MASK;
            }
            DrawTextLine(view, *line, y);
        }
        // A blank row after a paragraph counts even when only partly inside.
        for (int row = 0; row < RowsOf(*line); ++row) {
            y += h;
            available -= h;
            ++view->rowsPainted;
        }
    }

    if (oldFont) SelectObject(device, oldFont);
    SetTextColor(device, oldColour);
    view->pageNext = line;
    if (view->hitStart || view->hitEnd) return PaintHighlight(view);
    return 0;
}
