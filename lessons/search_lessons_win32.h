// The lesson search run by the search dialog, Search Again and Enter.
#pragma once
#include <windows.h>

// Finds the next occurrence of g_app.searchString after the position in the
// shown lesson, then day by day through every lesson and back round to the
// shown one; moves to the day of a hit in another lesson, scrolls the hit
// into view, highlights it and shows the search banner. Returns 1 for a hit,
// 0 for an empty pattern, no current day, or nothing found ("Not Found!",
// owned by `owner`).
int SearchLessons(HWND owner);
