// Moving a view's scroll position, and repainting it when it moved.
#include "page/paint_view_win32.h"
#include "page/view_rows.h"

int ScrollView(TextView* view, int32_t delta, int repaint, int clamp)
{
    if (!view) return -1;
    const int32_t row = ScrollTargetRow(view, delta, clamp != 0);
    if (row < 0) return 1;  // refused: nothing changes, nothing is painted
    const bool changed = row != view->topRow;
    if (changed) view->topRow = static_cast<uint16_t>(row);
    const bool paint = repaint != 0 && (repaint != 1 || changed);
    if (paint) return PaintView(view, 1);
    return changed ? 3 : 1;
}
