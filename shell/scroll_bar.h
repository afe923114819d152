// The main window's vertical scroll bar, brought in line with the page's
// scroll position and range (the main window's code defines it).
#pragma once
#include "shell/platform_handles.h"

void UpdateScrollBar(WindowHandle window);
