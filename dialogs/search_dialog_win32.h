// The search dialog (template 115): a search box that types Hebrew on the
// Latin keys, in front of the caret, and a clickable keyboard picture; Enter
// stores the pattern and searches.
#pragma once
#include <windows.h>

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Puts SearchBoxProc in place of the box's window procedure; ends the
// program with a message when that is refused.
void SubclassWindow(HWND box);

LRESULT CALLBACK SearchBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Inserts the character a typed character maps to, before the caret, and
// leaves the caret in front of it. 0 when it inserted; 1 for a digit or a
// control character, which the edit control handles itself.
int TypeMappedKey(HWND box, wchar_t typed);

// Types the letter of picture key `position` (0 the space bar, 1..27).
void InsertPictureKey(HWND dialog, int position);
