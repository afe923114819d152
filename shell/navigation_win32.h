// Moving through the lesson and between days by keys, scroll bar and mouse.
#pragma once
#include <windows.h>

#include <cstdint>

// The key table; false for keys it does not handle.
bool HandleKey(HWND window, int virtualKey);
// The scroll-bar table; the default handling runs in every case.
void HandleScrollBar(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Rows of a page step coded in a 3-bit field of the option word: half the
// rows painted for 2 or 4, else one row less than painted.
int PageStep(uint32_t field, int rowsPainted);
