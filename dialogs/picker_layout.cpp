// Geometry of the calendar picker, computed once per opening from its client
// rectangle and the height of its bold font.
#include "dialogs/picker_state.h"

#include <initializer_list>

namespace {

uint16_t Pixel(int32_t v)
{
    return static_cast<uint16_t>(v);
}

void PlaceButton(MonthButton& b, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    b.left = Pixel(left);
    b.top = Pixel(top);
    b.right = Pixel(right);
    b.bottom = Pixel(bottom);
}

}  // namespace

void LayoutPicker()
{
    PickerState& s = g_pickerState;
    const PickerRect& c = s.clientRect;
    const int32_t W = c.right - c.left + 1;
    const int32_t H = c.bottom - c.top + 1;
    const FontHandle previous = g_deviceOps->selectFont(s.surface, s.boldFont);
    const int32_t h = g_deviceOps->fontMetrics(s.surface).height;
    g_deviceOps->selectFont(s.surface, previous);

    // The grid takes the lower two thirds; the client top is not added.
    s.gridTop = (3 * H) / 9;
    s.cellHeight = (c.bottom - s.gridTop) / 7;
    s.cellWidth = W / 8;
    s.gridWidth = 7 * s.cellWidth + 1;
    s.gridLeft = c.left + (W - s.gridWidth) / 2;
    s.yearTop = c.top + 2;
    s.yearHeight = h;

    const int32_t monthTop = c.top + h + 6;
    const int32_t buttonWidth = ((7 * W) / 8) / 4;
    const int32_t buttonHeight = (s.gridTop - monthTop - 4) / 3;
    const int32_t areaLeft = c.left + (W - (4 * buttonWidth + 1)) / 2;
    const int32_t split = areaLeft + buttonWidth / 4;

    // Months 12 and 13 share the third row's leftmost button: month 13 its
    // left quarter, month 12 (Adar I) the rest; a common year's Adar all.
    for (MonthButton* pair : {g_commonYearPair, g_leapYearPair}) {
        for (int i = 0; i < 2; ++i) {
            if (pair[i].name)
                PlaceButton(pair[i], areaLeft, monthTop + 2 * buttonHeight, areaLeft + buttonWidth,
                            monthTop + 3 * buttonHeight);
        }
    }
    g_leapYearPair[0].left = Pixel(split);
    g_leapYearPair[1].right = Pixel(split);

    // Four to a row, right to left: month 1 is the first row's rightmost.
    for (int k = 1; g_monthButtons[k].name; ++k) {
        const int32_t r = (k - 1) / 4, column = (k - 1) % 4;
        const int32_t left = areaLeft + (3 - column) * buttonWidth;
        const int32_t top = monthTop + r * buttonHeight;
        PlaceButton(g_monthButtons[k], left, top, left + buttonWidth, top + buttonHeight);
    }
    if (s.shownLeap == 1) {
        g_monthButtons[12] = g_leapYearPair[0];
        g_monthButtons[13] = g_leapYearPair[1];
    }
}
