// Handing web addresses to the shell, which opens them in the browser.
#pragma once
#include <windows.h>

// Whether the shell accepted `address`. With no browser or association the
// shell reports nothing to the user, and neither does the program.
bool OpenUrl(HWND owner, const wchar_t* address);

// The maker's home page.
void OpenHomePage(HWND owner);

// The maker's update page, which tells the user whether a newer version
// exists: the program sends its product path and version in the query.
void CheckForUpdates(HWND owner);
