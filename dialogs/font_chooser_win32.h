// The font chooser: installed faces, a size list, the letter base and a
// preview of the 27 letters. Edits a FontRecord in place on OK.
#pragma once
#include <windows.h>

#include "page/font_record.h"

// Runs the dialog modally over `owner` on `record`; 1 for OK, 2 for Cancel.
INT_PTR RunFontChooser(HINSTANCE instance, HWND owner, FontRecord* record);

INT_PTR CALLBACK FontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
