// Row arithmetic of laid-out views: the last useful scroll position, the row
// of a text offset, the first row painted and the target of a scroll.
#include "page/view_rows.h"

#include "page/lesson_text.h"

int32_t ComputeMaxTopRow(TextView* view)
{
    if (!view || !view->lineItems || view->itemCount == 0 || view->rowCount == 0) return -1;
    // Rows that fit, counted from the bottom; a blank row only partly inside
    // the area does not count.
    int32_t room = view->height;
    int32_t rows = 0;
    for (int32_t i = view->itemCount - 1; i >= 0; --i) {
        const LineItem& line = view->lineItems[i];
        if (line.height > room) break;
        room -= line.height;
        ++rows;
        if (line.style & STYLE_BLANK_AFTER) {
            room -= line.height;
            ++rows;
        }
    }
    if (room < 0) --rows;
    view->maxTopRow = static_cast<uint16_t>(view->rowCount - rows);
    return view->maxTopRow;
}

int FindRowOfOffset(TextView* view, uint16_t offset)
{
    if (!view || !view->lineItems) return 0;
    uint32_t row = 0;
    for (const LineItem* line = view->lineItems; line->style != 0; ++line) {
        if (offset >= line->offset && offset <= line->offset + line->count) {
            view->topRow = static_cast<uint16_t>(row < view->maxTopRow ? row : view->maxTopRow);
            return 1;
        }
        row += RowsOf(*line);
    }
    return 0;
}

FirstRow FindFirstRow(TextView* view)
{
    if (view->topRow > view->rowCount) view->topRow = view->maxTopRow;
    LineItem* line = view->lineItems;
    const LineItem* before = nullptr;
    uint32_t row = 0;
    while (row < view->topRow && line->style != 0) {
        row += RowsOf(*line);
        before = line;
        ++line;
    }
    FirstRow first{line, view->top, view->height};
    if (row > view->topRow && before) {
        first.y += before->height;
        first.available -= before->height;
    }
    return first;
}

int32_t ScrollTargetRow(const TextView* view, int32_t delta, bool clamp)
{
    int32_t row = int32_t{view->topRow} + delta;
    if (row < 0) return 0;
    if (clamp || row > view->rowCount) {
        // Going down (or staying) is refused once topRow reached maxTopRow;
        // a step past the end lands on maxTopRow.
        if (row >= view->topRow && view->topRow >= view->maxTopRow) return -1;
        if (row > view->rowCount) row = view->maxTopRow;
    }
    return row;
}

FirstRow FindPaintStart(TextView* view)
{
    if (view->pageStart) return FirstRow{view->pageStart, view->top, view->height};
    return FindFirstRow(view);
}
