// Geometry of the main window's page: the text area inside the gutter,
// below the toolbar and above the date band along the bottom.
#pragma once
#include <cstdint>

#include "page/text_view.h"
#include "shell/app_state.h"

struct MainViewArea {
    ViewRect text;  // the page's text area
    Rect32 band;    // the date band
};

// `toolbarHeight` is 0 without a toolbar; `dateTextHeight` is the text
// height of the date font. The gutter applies to a side only when the
// client area is more than twice the gutter in that direction.
MainViewArea ComputeMainViewArea(int32_t clientWidth, int32_t clientHeight, bool hasToolbar,
                                 int32_t toolbarHeight, int32_t dateTextHeight, int32_t gutter);
