// The search hit drawn over a painted view: the hit's bytes of each line
// shown again in blue on yellow, exactly over where the line drew them.
#include <windows.h>

#include "page/convert_letters.h"
#include "page/lesson_text.h"
#include "page/line_parts.h"
#include "page/paint_view_win32.h"
#include "page/view_rows.h"
#include "shell/app_state.h"

namespace {

// Extent of letter-coded bytes in the selected font. Taken in stored order:
// stored order is the order on the screen, so positions within a line agree
// with how it appears (a reversed run has the same extent anyway).
SIZE RunExtent(HDC device, const uint8_t* bytes, int32_t count)
{
    SIZE size = {0, 0};
    const uint32_t flags = g_app.flags;
    g_app.flags &= ~kReverseFlag;
    const char16_t* units = ConvertLetters(bytes, nullptr, &g_convertBuffer, count);
    g_app.flags = flags;
    if (units) GetTextExtentPoint32W(device, reinterpret_cast<const wchar_t*>(units), count, &size);
    return size;
}

// Whether a line's bytes (its hanging word included) touch the hit.
bool TouchesHit(const TextView& view, const LineItem& line, const LineParts& parts)
{
    uint32_t first = line.offset;
    uint32_t last = uint32_t{line.offset} + line.count;
    if (parts.hangCount) {
        if (parts.hangStart < first) first = parts.hangStart;
        if (uint32_t{parts.hangStart} + parts.hangCount > last) last = parts.hangStart + parts.hangCount;
    }
    return first <= view.hitEnd && view.hitStart <= last;
}

}  // namespace

void DrawHighlightPart(TextView* view, const uint8_t* text, uint16_t start, int32_t length,
                       int32_t x, int32_t y)
{
    HDC device = view->device;
    uint32_t from = start;
    int32_t before = 0;
    if (view->hitStart >= from) {
        length -= static_cast<int32_t>(view->hitStart - from);
        if (length < 0) {
            length = 0;
        } else {
            before = RunExtent(device, text + from, static_cast<int32_t>(view->hitStart - from)).cx;
            from = view->hitStart;
        }
    }
    if (int32_t(from) + length > view->hitEnd) length = int32_t{view->hitEnd} - int32_t(from);
    if (length <= 0) return;
    const SIZE size = RunExtent(device, text + from, length);
    DrawRunColored(device, text + from, length, x + before, y, size.cx, size.cy, kBlue, kYellow);
}

int PaintHighlight(TextView* view)
{
    if (!view || !view->text || !view->lineItems || view->lineItems[0].style == 0) return -1;
    HDC device = view->device;
    const uint8_t* text = view->text;
    const FirstRow start = FindPaintStart(view);
    LineItem* line = start.line;
    int32_t y = start.y;
    int32_t available = start.available;

    uint32_t fontKey = line->style == 0 || IsRuleStyle(line->style) ? STYLE_NORMAL : line->style;
    const HFONT oldFont = SelectStyleFont(view, fontKey);
    fontKey &= STYLE_FONT_MASK;

    for (; line->style != 0 && available >= line->height; ++line) {
        if (!IsRuleStyle(line->style)) {
            const LineParts parts = SplitLine(text, *line);
            if (TouchesHit(*view, *line, parts)) {
                if ((line->style & STYLE_FONT_MASK) != fontKey) {
                    SelectStyleFont(view, line->style);
                    fontKey = line->style & STYLE_FONT_MASK;
                }
                if (parts.hangCount) {
                    // Over the hanging word as PaintView drew it: cut to its column.
                    int32_t width = line->hangWidth;
                    int32_t count = parts.hangCount;
                    MeasureRun(device, text + parts.hangStart, &width, &count);
                    DrawHighlightPart(view, text, parts.hangStart, count,
                                      HangingWordX(*line, width), y);
                }
                DrawHighlightPart(view, text, parts.mainStart, line->count, line->x, y);
            }
        }
        for (int row = 0; row < RowsOf(*line); ++row) {
            y += line->height;
            available -= line->height;
        }
    }
    if (oldFont) SelectObject(device, oldFont);
    return 0;
}
