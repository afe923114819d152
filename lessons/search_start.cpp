// The start offset of a continued search, from the view's top line and hit.
#include "lessons/search_start.h"

#include "page/view_rows.h"

uint16_t SearchStartOffset(const TextView* view)
{
    if (!view || !view->lineItems) return 0xFFFF;
    // The top line: a topRow on the blank row after a line gives the line
    // below that blank row.
    const LineItem* line = view->lineItems;
    for (int32_t rows = view->topRow; rows > 0 && line->style != 0; ++line) rows -= RowsOf(*line);
    const uint32_t s = line->offset;
    const uint32_t n = line->count;
    if ((view->hitEnd < s || view->hitEnd > s + n) && view->topRow < view->maxTopRow)
        return static_cast<uint16_t>(s + n - 1);
    if (view->hitStart == s) {
        const LineItem* next = line->style != 0 ? line + 1 : line;
        return static_cast<uint16_t>(next->offset + next->count);
    }
    return static_cast<uint16_t>(view->hitStart - 1);
}
