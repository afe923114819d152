// The About box (dialog 103): name, picture, version, rights notice and a
// link button that opens the maker's home page.
#pragma once
#include <windows.h>

// Runs the About box modally over `owner` from the dialog template in
// `instance`; 1 when it ended with Enter, 2 with Esc or the close box.
INT_PTR ShowAboutBox(HINSTANCE instance, HWND owner);

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Turns button 1025 into a link: its own cursor procedure, an underlined
// heavy font, and a size that fits its text. The font, which the caller
// deletes when the dialog ends, or none when the button keeps its own.
HFONT PrepareLink(HWND dialog);

// The link button's window procedure: the hand cursor, the rest as before.
LRESULT CALLBACK LinkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the link's text in blue on whatever is behind it.
void DrawLink(HWND dialog, int controlId, const DRAWITEMSTRUCT* item);
