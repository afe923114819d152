// Where page_win32_tests finds the packed book and puts its screenshots:
// set by its main from the command line or the environment.
#pragma once
#include <string>

// Folder of 1001.bin..1014.bin ("--book-dir=" or LUMORA_BOOK_DIR).
const std::wstring& PageBookDir();
// Folder for the screenshots ("--screens-dir=" or LUMORA_SCREENS_DIR); may
// be empty, and then none are saved.
const std::wstring& ScreensDir();
