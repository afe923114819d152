// Where the main window puts its page and its date band.
#include "page/main_view_area.h"

MainViewArea ComputeMainViewArea(int32_t clientWidth, int32_t clientHeight, bool hasToolbar,
                                 int32_t toolbarHeight, int32_t dateTextHeight, int32_t gutter)
{
    const int32_t across = clientWidth > 2 * gutter ? gutter : 0;
    const int32_t down = clientHeight > 2 * gutter ? gutter : 0;
    const int32_t toolbar = hasToolbar ? toolbarHeight : 0;

    MainViewArea area;
    area.band.left = 0;
    area.band.width = clientWidth;
    area.band.height = dateTextHeight + 2;
    area.band.top = clientHeight - area.band.height;

    // The toolbar's bottom line and the page's first row share a pixel.
    const int32_t top = (hasToolbar ? toolbar - 1 : 0) + down;
    const int32_t width = clientWidth - 2 * across;
    const int32_t height = clientHeight - 2 * down - area.band.height - toolbar;
    area.text = ViewRect{across, top, across + width, top + height};
    return area;
}
