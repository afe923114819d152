// Rows of a laid-out view: where painting starts and where a scroll lands.
#pragma once
#include <cstdint>

#include "page/text_view.h"

// The first line to paint for topRow, and where it goes.
struct FirstRow {
    LineItem* line;     // the first line at or after topRow (may be the terminator)
    int32_t y;          // its top
    int32_t available;  // height left for it and the lines below
};

// Brings a topRow beyond rowCount back to maxTopRow, then finds the line of
// topRow. A topRow on the blank row after a line leaves that row empty at
// the top of the area.
FirstRow FindFirstRow(TextView* view);

// Where a paint starts: at the page start with the whole area when one is
// set (printing), else as FindFirstRow.
FirstRow FindPaintStart(TextView* view);

// Rows a line takes: itself, and the blank row after a paragraph.
inline int RowsOf(const LineItem& line)
{
    return (line.style & 0x80) ? 2 : 1;
}

// The row a scroll by `delta` goes to, or -1 when it is refused (going down
// from maxTopRow or beyond when `clamp` is set or the step passes rowCount).
int32_t ScrollTargetRow(const TextView* view, int32_t delta, bool clamp);
